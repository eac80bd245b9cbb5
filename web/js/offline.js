// The page for use with the network gone: its service worker keeps the site (service-worker.js,
// written by the build), and an update of the site comes with the next load of the page.

// Registers the worker where the browser has service workers (a secure origin: https or the
// loopback address). Without one the page works as before, online only. tell(text) shows a
// message when a new version has taken over while this page is open.
export function keepForOffline(tell) {
  if (!('serviceWorker' in navigator)) return;
  const before = navigator.serviceWorker.controller;
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    // The first visit's worker taking over is no news; a new version replacing the last is.
    if (before) tell('A new version of Orbisk has been installed: reload the page to use it.');
  });
  navigator.serviceWorker.register('service-worker.js').catch((error) => {
    console.warn(`Orbisk will not work offline: ${error.message || error}`);
  });
}
