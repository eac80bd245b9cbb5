// The panel of every value of a picture, built from the core's field table: a slider and a number
// box for a value with a range, a list for a menu's choices, a colour well for the background.
// The panel keeps nothing itself: each change goes to onChange(position, value), which answers
// whether the core took it; a refused value is put back as it was.

// "#rrggbb" and the canvas colour (red + 256 x green + 65536 x blue) of the colour well.
const toColourWell = (value) =>
  '#' + [value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff]
    .map((c) => c.toString(16).padStart(2, '0')).join('');
const fromColourWell = (text) => {
  const n = parseInt(text.slice(1), 16);
  return ((n >> 16) & 0xff) + ((n >> 8) & 0xff) * 256 + (n & 0xff) * 65536;
};

export class Panel {
  // form: the element to build in; fields: the core's table; onChange(position, value) -> bool.
  constructor(form, fields, onChange) {
    this.inputs = new Map();  // position -> the inputs that show it
    this.onChange = onChange;
    this.groups = new Map();
    for (const field of fields) this.addField(form, field);
  }

  // The fieldset of a group, made on first use.
  group(form, name) {
    if (!this.groups.has(name)) {
      const set = document.createElement('fieldset');
      const legend = document.createElement('legend');
      legend.textContent = name;
      set.append(legend);
      form.append(set);
      this.groups.set(name, set);
    }
    return this.groups.get(name);
  }

  addField(form, field) {
    const row = document.createElement('div');
    row.className = 'row';
    const id = `field-${field.name}`;
    const label = document.createElement('label');
    label.htmlFor = id;
    label.textContent = field.label;
    row.append(label);
    const inputs = [];
    if (field.choices.length > 0) {
      row.classList.add('choice');
      const select = document.createElement('select');
      field.choices.forEach((value, i) => select.add(new Option(field.names[i], String(value))));
      inputs.push(select);
    } else if (field.name === 'background') {
      row.classList.add('choice');
      const well = document.createElement('input');
      well.type = 'color';
      inputs.push(well);
    } else {
      const slider = document.createElement('input');
      slider.type = 'range';
      slider.setAttribute('aria-label', field.label);
      const box = document.createElement('input');
      box.type = 'number';
      box.inputMode = 'numeric';
      for (const input of [slider, box]) {
        input.min = field.min;
        input.max = field.max;
        input.step = field.step;
      }
      inputs.push(slider, box);
    }
    inputs[inputs.length - 1].id = id;
    for (const input of inputs) {
      input.name = field.name;
      input.addEventListener('change', () => this.changed(field, input));
      row.append(input);
    }
    this.inputs.set(field.position, inputs);
    this.group(form, field.group).append(row);
  }

  changed(field, input) {
    const value = input.type === 'color' ? fromColourWell(input.value) : Number(input.value);
    // An empty or broken number box holds no whole number: the core is given one no field takes,
    // and refuses it with the field's range.
    const whole = input.value !== '' && Number.isInteger(value) ? value : -0x80000000;
    if (!this.onChange(field.position, whole)) this.show(this.values, this.offMenu, false);
  }

  // Shows the values ({position: value}) of a picture; offMenu ({position: text}) says what a
  // menu's value that none of its entries shows counts as, shown as an entry of its own. A
  // number the user is still typing (the box has the focus and differs from what was shown) is
  // left alone unless keepTyping is false: a run ending meanwhile does not take it away.
  show(values, offMenu = {}, keepTyping = true) {
    this.values = values;
    this.offMenu = offMenu;
    for (const [position, inputs] of this.inputs) {
      const value = values[position];
      for (const input of inputs) {
        if (input.tagName === 'SELECT') this.showRead(input, value, offMenu[position]);
        const typing = input.type === 'number' && input === document.activeElement &&
          input.value !== input.dataset.shown;
        if (typing && keepTyping) continue;
        input.value = input.type === 'color' ? toColourWell(value) : String(value);
        input.dataset.shown = input.value;
      }
    }
  }

  // The entry of a value read from a file or link that the menu does not offer, while it holds.
  showRead(select, value, text) {
    let read = select.querySelector('option.read');
    select.title = text || '';  // the whole text, where the list is too narrow for it
    if (!text) {
      read?.remove();
      return;
    }
    if (!read) {
      read = new Option();
      read.className = 'read';
      select.add(read);
    }
    read.value = String(value);
    read.textContent = text;
  }

  // A place below a group's values, for its preview.
  groupElement(name) { return this.groups.get(name); }
}
