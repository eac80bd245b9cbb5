// "Hints and tips" and "About...": the program's own texts from the core, each in a window of the
// page that leaves the rest of the page usable, as the desktop's are. The windows lie in the
// page's flow below the commands, side by side where the screen is wide enough, so they never
// cover a control, not even on a phone. Escape (with the focus in it) or its button closes it,
// and the focus goes back where it was.

const caption = (text) => text.replace('&', '');  // a caption without its mnemonic mark

function element(tag, className, text) {
  const made = document.createElement(tag);
  if (className) made.className = className;
  if (text !== undefined) made.textContent = text;
  return made;
}

// A window of the page in area, titled title, holding parts, closed by a button captioned button.
function helpWindow(area, id, title, parts, button) {
  const dialog = element('dialog', 'help-window');
  dialog.id = id;
  const heading = element('h2', '', title);
  heading.id = `${id}-title`;
  dialog.setAttribute('aria-labelledby', heading.id);
  const close = element('button', '', caption(button));
  close.type = 'button';
  close.id = `${id}-close`;
  const buttons = element('p', 'help-buttons');
  buttons.append(close);
  dialog.append(heading, ...parts, buttons);
  close.addEventListener('click', () => dialog.close());
  dialog.addEventListener('keydown', (event) => {
    if (event.key !== 'Escape') return;
    event.preventDefault();
    event.stopPropagation();  // the run going on is the main window's Escape, not this one's
    dialog.close();
  });
  area.append(dialog);
  return { dialog, close };
}

export class Help {
  // texts: the core's help texts ({hints, about}).
  constructor(texts) {
    const { hints, about } = texts;
    const area = element('div', 'help-area');
    document.querySelector('header').after(area);
    const text = element('div', 'hints-text', hints.text);
    text.id = 'hints-text';
    text.tabIndex = 0;  // scrolls with the keyboard
    text.setAttribute('role', 'document');
    this.hints = helpWindow(area, 'hints', hints.title, [
      element('p', 'hints-heading', hints.heading), text,
      element('p', 'help-contact', hints.contact.join('\n')),
    ], hints.close);

    const icon = element('img', 'about-icon');
    icon.src = 'icons/orbisk-64.png';
    icon.alt = '';
    icon.width = icon.height = 48;
    const name = element('div', 'about-name');
    name.append(element('strong', 'about-program', about.name), element('span', '', about.version));
    const top = element('div', 'about-top');
    top.append(icon, name);
    this.about = helpWindow(area, 'about', about.title, [
      top, element('p', '', about.credit), element('hr'),
      element('p', 'help-contact', about.contact.join('\n')), element('p', '', about.ordering),
    ], about.ok);
    for (const shown of [this.hints, this.about]) {
      shown.dialog.addEventListener('close', () => {
        if (shown.returnFocus && document.contains(shown.returnFocus)) shown.returnFocus.focus();
        shown.returnFocus = null;
      });
    }
  }

  // Shows the window (kind 'hints' or 'about') with the focus on its button; one already shown
  // stays as it is.
  open(kind) {
    const shown = this[kind];
    if (!shown.dialog.open) {
      shown.returnFocus = document.activeElement;
      shown.dialog.show();
    }
    shown.close.focus();
  }
}
