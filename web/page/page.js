// @ts-check
// The web catalogue's page: it fetches the module and the catalogue's files, forwards every event
// of its controls to the module, and shows what the module tells it. The rules (search, the
// number field, the card, the finder's queries, links, the language) are the module's: the same
// C++ as the programs'. Text from the catalogue only ever becomes text, never markup.

import { Core } from './core.js';
import { VirtualList } from './virtual_list.js';

/** @typedef {import('./core.js').PageView} PageView */

const LANGUAGE_KEY = 'lorefinder.language';
const BEEP_MS = 160;

/** @param {string} id @returns {HTMLElement} */
function element(id) {
  const found = document.getElementById(id);
  if (!found) throw new Error(`the page has no #${id}`);
  return found;
}

/** @param {string} id */
const inputOf = (id) => /** @type {HTMLInputElement} */ (element(id));
/** @param {string} id */
const selectOf = (id) => /** @type {HTMLSelectElement} */ (element(id));

// Row, name, level, slot, class and the chosen stat.
const RESULT_COLUMNS = 6;

/** Text that is already shown is not written again. @param {HTMLElement} target @param {string} text */
function writeText(target, text) {
  if (target.textContent !== text) target.textContent = text;
}

/** @param {number} rgb 0xRRGGBB */
const cssColour = (rgb) => `rgb(${(rgb >> 16) & 255}, ${(rgb >> 8) & 255}, ${rgb & 255})`;

/** @implements {PageView} */
class Page {
  constructor() {
    /** @type {Core | null} */
    this.core = null;
    this.chinese = false;
    this.beeps = 0;
    this.items = new VirtualList(element('items'), 'item-', (row, option) => {
      option.dataset.row = String(row);
      writeText(option, this.module().rowName(row));
    });
    this.results = new VirtualList(element('results'), 'result-', (result, option) => {
      const core = this.module();
      option.dataset.row = String(core.resultRow(result));
      while (option.childElementCount < RESULT_COLUMNS) option.append(document.createElement('span'));
      for (let column = 0; column < RESULT_COLUMNS; ++column) {
        writeText(/** @type {HTMLElement} */ (option.children[column]), core.resultCell(result, column));
      }
    });
    this.card = element('card');
    this.cardTitle = element('card-title');
    this.cardArt = element('card-art');
    this.icon = /** @type {HTMLCanvasElement} */ (element('icon'));
    this.measureWidth = -1;
    /** @type {number | null} the row the address shows, once the frame has time for it */
    this.addressRow = null;
  }

  module() {
    if (!this.core) throw new Error('the catalogue module is not loaded');
    return this.core;
  }

  // ---- PageView ------------------------------------------------------------------------------

  /** @param {string} id @param {string} text */
  showText(id, text) {
    const target = element(id);
    if (target instanceof HTMLInputElement) target.value = text;
    else target.textContent = text;
  }

  /** @param {string} id @param {string} text */
  showTitle(id, text) {
    element(id).setAttribute('title', text);
  }

  /** @param {string} id @param {number} index @param {string} text */
  addChoice(id, index, text) {
    const select = selectOf(id);
    if (index === 0) select.replaceChildren();
    select.append(new Option(text));
  }

  /** @param {string} id @param {number} index */
  setChoice(id, index) {
    selectOf(id).selectedIndex = index;
  }

  /** @param {string} id @param {boolean} checked */
  setChecked(id, checked) {
    inputOf(id).checked = checked;
  }

  /** @param {string} id @param {number} length */
  setMaxLength(id, length) {
    inputOf(id).maxLength = length;
  }

  /** @param {string} id */
  focus(id) {
    element(id).focus({ preventScroll: true });
  }

  /** @param {number} rows */
  showList(rows) {
    this.items.setCount(rows);
  }

  /** @param {number} row */
  selectRow(row) {
    this.items.setSelected(row);
    this.items.scrollTo(row);
    this.showAddress(row);
  }

  /** The address names the selected row, for a link to share; written once a frame. @param {number} row */
  showAddress(row) {
    if (this.addressRow === null) {
      requestAnimationFrame(() => {
        history.replaceState(null, '', `#item=${this.addressRow}`);
        this.addressRow = null;
      });
    }
    this.addressRow = row;
  }

  /** @param {Uint8ClampedArray<ArrayBuffer>} rgba @param {number} width @param {number} height */
  showIcon(rgba, width, height) {
    const context = /** @type {CanvasRenderingContext2D} */ (this.icon.getContext('2d'));
    context.putImageData(new ImageData(rgba, width, height), 0, 0);
  }

  /** @param {boolean} keepTitle */
  cardBegin(keepTitle) {
    this.measureWidth = -1;
    this.card.replaceChildren();
    if (!keepTitle) this.cardTitle.textContent = '';
  }

  /** @param {string} text @param {number} rgb */
  cardBlock(text, rgb) {
    const block = document.createElement('div');
    block.textContent = text;
    block.style.color = cssColour(rgb);
    // As in the windows' labels, an empty block and a final line break each keep a line.
    if (text === '' || text.endsWith('\n')) block.classList.add('open-line');
    this.card.append(block);
  }

  // The block layout measures every block at the same width: the widths are all set before the
  // first height is read, so that one layout of the page answers every measurement.
  /** @param {number} block @param {number} width */
  cardMeasure(block, width) {
    if (width !== this.measureWidth) {
      for (const target of [this.cardTitle, ...Array.from(this.card.children)]) {
        const style = /** @type {HTMLElement} */ (target).style;
        style.width = `${width}px`;
        style.height = 'auto';
      }
      this.measureWidth = width;
    }
    return this.cardBlockElement(block).offsetHeight;
  }

  /** @param {number} block @param {number} left @param {number} top @param {number} width @param {number} height */
  cardPlace(block, left, top, width, height) {
    const style = this.cardBlockElement(block).style;
    style.left = `${left}px`;
    style.top = `${top}px`;
    style.width = `${width}px`;
    style.height = `${height}px`;
    this.cardArt.style.setProperty('--content-bottom', `${top + height}px`);
  }

  /** @param {number} block */
  cardBlockElement(block) {
    return block === 0 ? this.cardTitle : /** @type {HTMLElement} */ (this.card.children[block - 1]);
  }

  /** @param {boolean} visible */
  cardVisible(visible) {
    element('card-panel').classList.toggle('card-hidden', !visible);
    this.icon.setAttribute('aria-expanded', String(visible));
  }

  beep() {
    const row = element('search-row');
    row.classList.remove('beep');
    void row.offsetWidth; // a flash that is still fading starts again
    row.classList.add('beep');
    setTimeout(() => row.classList.remove('beep'), BEEP_MS);
    document.body.dataset.beeps = String(++this.beeps);
  }

  /** @param {string} title @param {string} text */
  message(title, text) {
    element('message-title').textContent = title;
    element('message-text').textContent = text;
    element('message').hidden = false;
    element('message-ok').focus();
  }

  /** @param {string} text */
  writeClipboard(text) {
    navigator.clipboard?.writeText(text).catch(() => {});
  }

  /** @param {number} column @param {string} title @param {number} sort */
  finderHeader(column, title, sort) {
    const header = /** @type {HTMLElement} */ (element('result-headers').children[column]);
    writeText(header, title);
    const order = ['none', 'ascending', 'descending'][sort];
    if (header.getAttribute('aria-sort') !== order) header.setAttribute('aria-sort', order);
  }

  /** @param {number} count */
  finderResults(count) {
    this.results.setCount(count);
  }

  /** @param {number} result */
  finderCurrent(result) {
    this.results.setSelected(result < 0 ? null : result);
    if (result >= 0) this.results.scrollTo(result);
  }

  comparisonClear() {
    element('comparison').replaceChildren();
  }

  /** @param {string} label @param {string} pinned @param {string} other @param {string} change @param {number} rgb */
  comparisonLine(label, pinned, other, change, rgb) {
    const line = document.createElement('tr');
    line.style.color = cssColour(rgb);
    for (const text of [label, pinned, other, change]) {
      const cell = document.createElement('td');
      cell.textContent = text;
      line.append(cell);
    }
    element('comparison').append(line);
  }

  /** @param {boolean} visible */
  finderVisible(visible) {
    const finder = element('finder');
    const hadFocus = finder.contains(document.activeElement);
    finder.hidden = !visible;
    if (visible) this.results.render();
    else if (hadFocus) this.focus('items');
  }

  // ---- the page's own work ------------------------------------------------------------------

  /** @param {boolean} chinese */
  setLanguage(chinese) {
    this.chinese = chinese;
    document.documentElement.lang = chinese ? 'zh-CN' : 'en';
  }

  /** The row the user picked in the list. @param {number} row */
  pick(row) {
    const last = this.items.count - 1;
    if (last < 0) return;
    row = Math.min(Math.max(row, 0), last);
    this.items.setSelected(row);
    this.items.scrollTo(row);
    this.showAddress(row);
    this.module().rowSelected(row);
  }

  /** The address after "#": a row ("item=N") or the finder ("find?slot=Head&..."). */
  openLink() {
    const hash = location.hash.slice(1);
    if (!hash) return;
    const question = hash.indexOf('?');
    const path = question >= 0 ? hash.slice(0, question) : hash.includes('=') ? '' : hash;
    const query = question >= 0 ? hash.slice(question + 1) : hash.includes('=') ? hash : '';
    this.module().openLink(decodeURIComponent(path), new URLSearchParams(query));
  }

  /** Every control forwards its events to the module. */
  wire() {
    const core = this.module();
    const search = inputOf('search');
    search.addEventListener('input', () => core.searchTextChanged());
    search.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter') return;
      event.preventDefault();
      core.search(search.value);
    });
    element('search-button').addEventListener('click', () => core.search(search.value));
    element('find-button').addEventListener('click', () => core.find());

    const items = element('items');
    items.addEventListener('click', (event) => {
      const row = this.items.rowAt(event);
      if (row !== null) this.pick(row);
    });
    items.addEventListener('keydown', (event) => {
      const step = listStep(event.key, this.items.pageRows(), this.items.count);
      if (step === null) return;
      event.preventDefault();
      const from = this.items.selected ?? -1;
      this.pick(step.to ?? from + step.by);
    });

    const number = inputOf('item-number');
    number.addEventListener('input', () => core.itemNumberChanged(number.value));
    this.icon.addEventListener('click', () => core.iconBoxClicked());
    this.icon.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter' && event.key !== ' ') return;
      event.preventDefault();
      core.iconBoxClicked();
    });

    element('language-switch').addEventListener('click', () => {
      const chinese = !this.chinese;
      try {
        localStorage.setItem(LANGUAGE_KEY, chinese ? 'zh' : 'en');
      } catch {
        // a page without storage switches for this visit only
      }
      if (core.switchLanguage(chinese)) this.setLanguage(chinese);
    });
    element('message-ok').addEventListener('click', () => {
      element('message').hidden = true;
    });
    document.addEventListener('keydown', (event) => {
      if ((event.ctrlKey || event.metaKey) && event.key.toLowerCase() === 'f') {
        event.preventDefault();
        core.find();
      } else if (event.key === 'Escape' && element('finder').contains(document.activeElement)) {
        core.finderEscape();
      }
    });
    window.addEventListener('hashchange', () => this.openLink());
    this.wireFinder(core);
  }

  /** @param {Core} core */
  wireFinder(core) {
    const text = /** @type {const} */ ([
      ['finder-name', (/** @type {string} */ t) => core.finderName(t)],
      ['finder-level-from', (/** @type {string} */ t) => core.finderLevelFrom(t)],
      ['finder-level-to', (/** @type {string} */ t) => core.finderLevelTo(t)],
      ['finder-stat-minimum', (/** @type {string} */ t) => core.finderStatMinimum(t)],
    ]);
    for (const [id, forward] of text) {
      const box = inputOf(id);
      box.addEventListener('input', () => forward(box.value));
    }
    const choices = /** @type {const} */ ([
      ['finder-slot', (/** @type {number} */ i) => core.finderSlot(i)],
      ['finder-class', (/** @type {number} */ i) => core.finderClass(i)],
      ['finder-stat', (/** @type {number} */ i) => core.finderStat(i)],
    ]);
    for (const [id, forward] of choices) {
      const select = selectOf(id);
      select.addEventListener('change', () => forward(select.selectedIndex));
    }
    const special = inputOf('finder-special');
    special.addEventListener('change', () => core.finderSpecial(special.checked));
    inputOf('finder-name').addEventListener('keydown', (event) => {
      if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
        event.preventDefault();
        core.finderMove(event.key === 'ArrowDown' ? 1 : -1);
      } else if (event.key === 'Enter') {
        event.preventDefault();
        core.finderActivate();
      }
    });
    const headers = element('result-headers');
    Array.from(headers.children).forEach((header, column) =>
      header.addEventListener('click', () => core.finderHeader(column)));
    const results = element('results');
    results.addEventListener('click', (event) => {
      const result = this.results.rowAt(event);
      if (result !== null) core.finderResultClicked(result);
    });
    results.addEventListener('dblclick', (event) => {
      const result = this.results.rowAt(event);
      if (result !== null) core.finderResultActivated(result);
    });
    results.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') {
        event.preventDefault();
        core.finderActivate();
        return;
      }
      const step = listStep(event.key, this.results.pageRows(), this.results.count);
      if (step === null) return;
      event.preventDefault();
      const from = this.results.selected ?? 0;
      core.finderMove((step.to ?? from + step.by) - from);
    });
    element('finder-compare').addEventListener('click', () => core.finderCompare());
    element('finder-clear').addEventListener('click', () => core.finderClear());
    element('finder-close').addEventListener('click', () => core.finderEscape());
  }
}

/**
 * How a list box's keys move its selection: by a step, or to a row.
 * @param {string} key
 * @param {number} page rows in view
 * @param {number} count
 * @returns {{by: number, to?: number} | null}
 */
function listStep(key, page, count) {
  switch (key) {
    case 'ArrowDown': return { by: 1 };
    case 'ArrowUp': return { by: -1 };
    case 'PageDown': return { by: page };
    case 'PageUp': return { by: -page };
    case 'Home': return { by: 0, to: 0 };
    case 'End': return { by: 0, to: count - 1 };
    default: return null;
  }
}

/** @param {string} status */
function setStatus(status) {
  document.body.dataset.status = status;
}

async function main() {
  const page = new Page();
  try {
    const core = await Core.load('lorefinder.wasm', page);
    page.core = core;
    // A file the site lacks is a resource the catalogue lacks: the module says what that means.
    const files = await Promise.all(core.catalogueFiles().map(async ({ id, path }) => {
      const response = await fetch(path);
      return response.ok ? { id, bytes: new Uint8Array(await response.arrayBuffer()) } : null;
    }));
    for (const file of files) if (file) core.putFile(file.id, file.bytes);
    let language = navigator.language;
    try {
      language = localStorage.getItem(LANGUAGE_KEY) ?? language;
    } catch {
      // no storage: the browser's language
    }
    page.setLanguage(core.isChineseLanguage(language));
    element('loading').hidden = true;
    element('browser').hidden = false;
    if (!core.start(page.chinese)) {
      element('browser').hidden = true;
      setStatus('refused');
      return;
    }
    element('language-switch').hidden = false;
    page.wire();
    page.openLink();
    performance.mark('lf-list-shown');
    requestAnimationFrame(() => setTimeout(() => {
      performance.mark('lf-list-painted');
      setStatus('ready');
    }));
  } catch (error) {
    element('loading').hidden = true;
    page.message('Lorefinder', String(error));
    setStatus('failed');
  }
}

window.addEventListener('error', (event) => {
  // A trap (out of memory) leaves the module unusable: say so rather than go quiet.
  document.body.dataset.status = 'failed';
  const message = document.getElementById('message-text');
  if (message) {
    message.textContent = String(event.message);
    /** @type {HTMLElement} */ (document.getElementById('message')).hidden = false;
  }
});

main();
