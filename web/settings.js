// The page's lasting settings, kept between visits in the browser's
// localStorage, each under "zorbanix.<name>" as JSON. Where storage is
// blocked (private windows, cookies switched off, a full quota) the page says
// so once on the console and plays on with what it has: a setting then lasts
// until the page is closed.
const PREFIX = 'zorbanix.';
const kept = new Map();  // what this visit read or wrote, whatever storage does
let storage;             // localStorage, null once it failed, undefined until first use
let warned = false;

function warnOnce(error) {
  if (warned) return;
  warned = true;
  console.warn(`Zorbanix keeps no settings between visits here: ${error.message || error}`);
}

function store() {
  if (storage === undefined) {
    try {
      storage = window.localStorage;
      storage.getItem(`${PREFIX}probe`);
    } catch (error) {
      storage = null;
      warnOnce(error);
    }
  }
  return storage;
}

// The setting `name`, or `fallback` when none is kept or what is kept is not
// of the fallback's type.
export function readSetting(name, fallback) {
  if (kept.has(name)) return kept.get(name);
  let value = fallback;
  try {
    const text = store()?.getItem(PREFIX + name);
    if (text != null) {
      const parsed = JSON.parse(text);
      if (typeof parsed === typeof fallback) value = parsed;
    }
  } catch (error) {
    warnOnce(error);
  }
  kept.set(name, value);
  return value;
}

// True when the value is in storage for the next visit.
export function writeSetting(name, value) {
  kept.set(name, value);
  try {
    const where = store();
    where?.setItem(PREFIX + name, JSON.stringify(value));
    return Boolean(where);
  } catch (error) {
    warnOnce(error);
    return false;
  }
}

// Whether storage can be read here at all.
export function canKeepSettings() {
  return Boolean(store());
}
