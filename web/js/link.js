// The address of a picture: its fragment is the core's link text of the picture drawn, and the
// browser's history holds one entry per picture drawn, so Back and Forward walk the pictures.
// The fragment is the only text the page reads itself; whatever it holds, the core judges.
// Each entry the page made carries its place among the page's pictures ({at}: 0 the first), and
// the tab remembers the place of the newest, so Back and Forward know where the pictures end.

const LAST = 'orbisk-last-picture';

// The link text in the address, or '' when there is none; null when it is no valid
// percent-encoding (the caller says so and changes nothing).
export function linkInAddress() {
  const hash = location.hash.slice(1);
  if (hash === '') return '';
  try {
    return decodeURIComponent(hash);
  } catch {
    return null;
  }
}

// The address of a link text.
export function addressOf(link) {
  const url = new URL(location.href);
  url.hash = link;
  return url.href;
}

// The current entry's place among the page's pictures, or null when it shows none of them.
function place() {
  const at = history.state && history.state.at;
  return Number.isInteger(at) && at >= 0 ? at : null;
}

function last() {
  try {
    const value = Number(sessionStorage.getItem(LAST));
    return Number.isInteger(value) ? value : 0;
  } catch {
    return 0;  // storage refused: Forward is offered no further than the current picture
  }
}

function setLast(at) {
  try {
    sessionStorage.setItem(LAST, String(at));
  } catch {
    // storage refused: see last()
  }
}

// Records a picture drawn: a new history entry after the current picture, or the current entry
// itself when the picture came from the address (opening a link, Back, Forward) or when the
// entry shows no picture yet (the page as first opened).
export function recordPicture(link, replace) {
  const href = addressOf(link);
  const at = place();
  if (at === null) {
    history.replaceState({ at: 0 }, '', href);
    setLast(0);
  } else if (replace || href === location.href) {
    history.replaceState({ at }, '', href);
  } else {
    history.pushState({ at: at + 1 }, '', href);
    setLast(at + 1);
  }
}

// Whether Back and Forward lead to another of the page's pictures.
export function placeInHistory() {
  const at = place();
  return { back: at !== null && at > 0, forward: at !== null && at < last() };
}
