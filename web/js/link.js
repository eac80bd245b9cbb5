// The address of a picture: its fragment is the core's link text of the picture drawn, and the
// browser's history holds one entry per picture drawn, so Back and Forward walk the pictures.
// The fragment is the only text the page reads itself; whatever it holds, the core judges.

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

// Records a picture drawn: a new history entry, or the current one when the picture came from
// the address itself (opening a link, Back, Forward).
export function recordPicture(link, replace) {
  const href = addressOf(link);
  if (replace || href === location.href) history.replaceState(null, '', href);
  else history.pushState(null, '', href);
}
