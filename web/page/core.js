// @ts-check
// The catalogue module (lorefinder.wasm, built from the same C++ cores as the programs) and the
// page's side of its calls: text crosses as UTF-8 in the module's memory, and the page's view
// gets plain strings and numbers. The memory grows during calls, so every view of it is made
// afresh after a call.

/**
 * What the module shows; the page implements it on its document.
 * @typedef {object} PageView
 * @property {(id: string, text: string) => void} showText an input's value or an element's text
 * @property {(id: string, text: string) => void} showTitle an element's tooltip
 * @property {(id: string, index: number, text: string) => void} addChoice entry 0 empties first
 * @property {(id: string, index: number) => void} setChoice
 * @property {(id: string, checked: boolean) => void} setChecked
 * @property {(id: string, length: number) => void} setMaxLength
 * @property {(id: string) => void} focus
 * @property {(rows: number) => void} showList
 * @property {(row: number) => void} selectRow highlights the row and scrolls it into view
 * @property {(rgba: Uint8ClampedArray<ArrayBuffer>, width: number, height: number) => void} showIcon
 * @property {(keepTitle: boolean) => void} cardBegin
 * @property {(text: string, rgb: number) => void} cardBlock
 * @property {(block: number, width: number) => number} cardMeasure block 0 is the title
 * @property {(block: number, left: number, top: number, width: number, height: number) => void} cardPlace
 * @property {(visible: boolean) => void} cardVisible
 * @property {() => void} beep
 * @property {(title: string, text: string) => void} message
 * @property {(text: string) => void} writeClipboard
 * @property {(column: number, title: string, sort: number) => void} finderHeader 0 none, 1 up, 2 down
 * @property {(count: number) => void} finderResults
 * @property {(result: number) => void} finderCurrent -1: none
 * @property {() => void} comparisonClear
 * @property {(label: string, pinned: string, other: string, change: string, rgb: number) => void} comparisonLine
 * @property {(visible: boolean) => void} finderVisible
 */

/**
 * The module's exports (wasm32: pointers and sizes are numbers).
 * @typedef {object} ModuleExports
 * @property {WebAssembly.Memory} memory
 * @property {() => void} _initialize runs the static constructors: first, and once
 * @property {(size: number) => number} lf_text_room
 * @property {(id: number, size: number) => number} lf_file_room
 * @property {(index: number) => number} lf_catalogue_file_id
 * @property {(index: number) => number} lf_catalogue_file_name
 * @property {(size: number) => number} lf_is_chinese_language
 * @property {(chinese: number) => number} lf_start
 * @property {(chinese: number) => number} lf_switch_language
 * @property {(size: number) => void} lf_open_link
 * @property {(row: number) => number} lf_row_name
 * @property {() => void} lf_search_text_changed
 * @property {(size: number) => void} lf_search
 * @property {(row: number) => void} lf_row_selected
 * @property {(size: number) => void} lf_item_number_changed
 * @property {() => void} lf_icon_box_clicked
 * @property {() => void} lf_find
 * @property {(size: number) => void} lf_finder_name
 * @property {(choice: number) => void} lf_finder_slot
 * @property {(choice: number) => void} lf_finder_class
 * @property {(size: number) => void} lf_finder_level_from
 * @property {(size: number) => void} lf_finder_level_to
 * @property {(choice: number) => void} lf_finder_stat
 * @property {(size: number) => void} lf_finder_stat_minimum
 * @property {(special: number) => void} lf_finder_special
 * @property {(column: number) => void} lf_finder_header
 * @property {() => void} lf_finder_compare
 * @property {() => void} lf_finder_clear
 * @property {(step: number) => void} lf_finder_move
 * @property {(result: number) => void} lf_finder_result_clicked
 * @property {() => void} lf_finder_activate
 * @property {(result: number) => void} lf_finder_result_activated
 * @property {() => void} lf_finder_escape
 * @property {(result: number) => number} lf_result_row
 * @property {(result: number, column: number) => number} lf_result_cell
 */

const encoder = new TextEncoder();
const decoder = new TextDecoder('utf-8');

export class Core {
  /** @param {ModuleExports} exports */
  constructor(exports) {
    this.exports = exports;
  }

  /**
   * Fetches and instantiates the module with the page's view, and runs its initialization.
   * @param {string} url
   * @param {PageView} view
   * @returns {Promise<Core>}
   */
  static async load(url, view) {
    /** @type {Core | undefined} */
    let core;
    const memory = () => /** @type {Core} */ (core).exports.memory;
    const imports = { page: pageImports(view, memory) };
    const response = fetch(url).then((r) => {
      if (!r.ok) throw new Error(`${url}: HTTP ${r.status}`);
      return r;
    });
    const module = await WebAssembly.compileStreaming(response);
    const missing = WebAssembly.Module.imports(module)
      .filter((i) => !(i.module === 'page' && i.name in imports.page))
      .map((i) => `${i.module}.${i.name}`);
    if (missing.length) throw new Error(`the module needs what the page lacks: ${missing.join(', ')}`);
    const instance = await WebAssembly.instantiate(module, imports);
    core = new Core(/** @type {ModuleExports} */ (/** @type {unknown} */ (instance.exports)));
    core.exports._initialize();
    return core;
  }

  // ---- text across the boundary ----------------------------------------------------------------

  /**
   * Puts text into the module's text room; returns its length in bytes.
   * @param {string} text
   */
  put(text) {
    const bytes = encoder.encode(text);
    const room = this.exports.lf_text_room(bytes.length);
    new Uint8Array(this.exports.memory.buffer, room, bytes.length).set(bytes);
    return bytes.length;
  }

  /**
   * The text of a reply: two 32-bit words, its address and its length.
   * @param {number} reply
   */
  reply(reply) {
    const words = new DataView(this.exports.memory.buffer, reply, 8);
    return readText(this.exports.memory, words.getUint32(0, true), words.getUint32(4, true));
  }

  // ---- the catalogue and the run ---------------------------------------------------------------

  /** The catalogue's files to fetch: resource id and path within the site. */
  catalogueFiles() {
    const files = [];
    for (let index = 0; ; ++index) {
      const id = this.exports.lf_catalogue_file_id(index);
      if (id === 0) return files;
      files.push({ id, path: this.reply(this.exports.lf_catalogue_file_name(index)) });
    }
  }

  /**
   * @param {number} id
   * @param {Uint8Array} bytes
   */
  putFile(id, bytes) {
    const room = this.exports.lf_file_room(id, bytes.length);
    new Uint8Array(this.exports.memory.buffer, room, bytes.length).set(bytes);
  }

  /** @param {string} languageTag */
  isChineseLanguage(languageTag) {
    return this.exports.lf_is_chinese_language(this.put(languageTag)) !== 0;
  }

  /** @param {boolean} chinese @returns {boolean} whether the catalogue was loaded */
  start(chinese) {
    return this.exports.lf_start(chinese ? 1 : 0) !== 0;
  }

  /** @param {boolean} chinese */
  switchLanguage(chinese) {
    return this.exports.lf_switch_language(chinese ? 1 : 0) !== 0;
  }

  /**
   * @param {string} path
   * @param {Iterable<[string, string]>} parameters
   */
  openLink(path, parameters) {
    const words = [path];
    for (const [key, value] of parameters) words.push(key, value);
    this.exports.lf_open_link(this.put(words.join('\0')));
  }

  // ---- the main window -------------------------------------------------------------------------

  /** @param {number} row */
  rowName(row) {
    return this.reply(this.exports.lf_row_name(row));
  }

  searchTextChanged() {
    this.exports.lf_search_text_changed();
  }

  /** @param {string} text */
  search(text) {
    this.exports.lf_search(this.put(text));
  }

  /** @param {number | null} row */
  rowSelected(row) {
    this.exports.lf_row_selected(row === null ? -1 : row);
  }

  /** @param {string} text */
  itemNumberChanged(text) {
    this.exports.lf_item_number_changed(this.put(text));
  }

  iconBoxClicked() {
    this.exports.lf_icon_box_clicked();
  }

  find() {
    this.exports.lf_find();
  }

  // ---- the Item Finder -------------------------------------------------------------------------

  /** @param {string} text */
  finderName(text) {
    this.exports.lf_finder_name(this.put(text));
  }

  /** @param {number} choice */
  finderSlot(choice) {
    this.exports.lf_finder_slot(choice);
  }

  /** @param {number} choice */
  finderClass(choice) {
    this.exports.lf_finder_class(choice);
  }

  /** @param {string} text */
  finderLevelFrom(text) {
    this.exports.lf_finder_level_from(this.put(text));
  }

  /** @param {string} text */
  finderLevelTo(text) {
    this.exports.lf_finder_level_to(this.put(text));
  }

  /** @param {number} choice */
  finderStat(choice) {
    this.exports.lf_finder_stat(choice);
  }

  /** @param {string} text */
  finderStatMinimum(text) {
    this.exports.lf_finder_stat_minimum(this.put(text));
  }

  /** @param {boolean} specialOnly */
  finderSpecial(specialOnly) {
    this.exports.lf_finder_special(specialOnly ? 1 : 0);
  }

  /** @param {number} column */
  finderHeader(column) {
    this.exports.lf_finder_header(column);
  }

  finderCompare() {
    this.exports.lf_finder_compare();
  }

  finderClear() {
    this.exports.lf_finder_clear();
  }

  /** @param {number} step */
  finderMove(step) {
    this.exports.lf_finder_move(step);
  }

  /** @param {number} result */
  finderResultClicked(result) {
    this.exports.lf_finder_result_clicked(result);
  }

  finderActivate() {
    this.exports.lf_finder_activate();
  }

  /** @param {number} result */
  finderResultActivated(result) {
    this.exports.lf_finder_result_activated(result);
  }

  finderEscape() {
    this.exports.lf_finder_escape();
  }

  /** @param {number} result */
  resultRow(result) {
    return this.exports.lf_result_row(result);
  }

  /** @param {number} result @param {number} column */
  resultCell(result, column) {
    return this.reply(this.exports.lf_result_cell(result, column));
  }
}

/**
 * @param {WebAssembly.Memory} memory
 * @param {number} address
 * @param {number} size
 */
function readText(memory, address, size) {
  return decoder.decode(new Uint8Array(memory.buffer, address, size));
}

/**
 * The module's imports: each decodes its text arguments and calls the view.
 * @param {PageView} view
 * @param {() => WebAssembly.Memory} memory
 */
function pageImports(view, memory) {
  /** @param {number} address @param {number} size */
  const text = (address, size) => readText(memory(), address, size);
  return {
    /** @type {(id: number, idSize: number, t: number, size: number) => void} */
    show_text: (id, idSize, t, size) => view.showText(text(id, idSize), text(t, size)),
    /** @type {(id: number, idSize: number, t: number, size: number) => void} */
    show_title: (id, idSize, t, size) => view.showTitle(text(id, idSize), text(t, size)),
    /** @type {(id: number, idSize: number, index: number, t: number, size: number) => void} */
    add_choice: (id, idSize, index, t, size) => view.addChoice(text(id, idSize), index, text(t, size)),
    /** @type {(id: number, idSize: number, index: number) => void} */
    set_choice: (id, idSize, index) => view.setChoice(text(id, idSize), index),
    /** @type {(id: number, idSize: number, checked: number) => void} */
    set_checked: (id, idSize, checked) => view.setChecked(text(id, idSize), checked !== 0),
    /** @type {(id: number, idSize: number, length: number) => void} */
    set_max_length: (id, idSize, length) => view.setMaxLength(text(id, idSize), length),
    /** @type {(id: number, idSize: number) => void} */
    focus: (id, idSize) => view.focus(text(id, idSize)),
    /** @type {(rows: number) => void} */
    show_list: (rows) => view.showList(rows),
    /** @type {(row: number) => void} */
    select_row: (row) => view.selectRow(row),
    /** @type {(rgba: number, width: number, height: number) => void} */
    show_icon: (rgba, width, height) =>
      view.showIcon(new Uint8ClampedArray(memory().buffer.slice(rgba, rgba + width * height * 4)), width, height),
    /** @type {(keepTitle: number) => void} */
    card_begin: (keepTitle) => view.cardBegin(keepTitle !== 0),
    /** @type {(t: number, size: number, rgb: number) => void} */
    card_block: (t, size, rgb) => view.cardBlock(text(t, size), rgb),
    /** @type {(block: number, width: number) => number} */
    card_measure: (block, width) => view.cardMeasure(block, width),
    /** @type {(block: number, left: number, top: number, width: number, height: number) => void} */
    card_place: (block, left, top, width, height) => view.cardPlace(block, left, top, width, height),
    /** @type {(visible: number) => void} */
    card_visible: (visible) => view.cardVisible(visible !== 0),
    beep: () => view.beep(),
    /** @type {(title: number, titleSize: number, t: number, size: number) => void} */
    message: (title, titleSize, t, size) => view.message(text(title, titleSize), text(t, size)),
    /** @type {(t: number, size: number) => void} */
    write_clipboard: (t, size) => view.writeClipboard(text(t, size)),
    /** @type {(column: number, title: number, size: number, sort: number) => void} */
    finder_header: (column, title, size, sort) => view.finderHeader(column, text(title, size), sort),
    /** @type {(count: number) => void} */
    finder_results: (count) => view.finderResults(count),
    /** @type {(result: number) => void} */
    finder_current: (result) => view.finderCurrent(result),
    comparison_clear: () => view.comparisonClear(),
    /** @type {(l: number, ls: number, p: number, ps: number, o: number, os: number, c: number, cs: number, rgb: number) => void} */
    comparison_line: (l, ls, p, ps, o, os, c, cs, rgb) =>
      view.comparisonLine(text(l, ls), text(p, ps), text(o, os), text(c, cs), rgb),
    /** @type {(visible: number) => void} */
    finder_visible: (visible) => view.finderVisible(visible !== 0),
  };
}
