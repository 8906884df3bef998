// @ts-check
// A list box of many rows that keeps in the document only the rows in view (and a few around
// them): 21,809 items cost some forty elements. Each shown row asks for its text when it comes
// into view. For assistive technology it is a listbox whose options say where they stand.

const OVERSCAN = 8;

export class VirtualList {
  /**
   * @param {HTMLElement} viewport the scrolling element, role listbox
   * @param {string} idPrefix the options' ids are this and the row number
   * @param {(row: number, option: HTMLElement) => void} fill writes a row's content (as text)
   */
  constructor(viewport, idPrefix, fill) {
    this.viewport = viewport;
    this.idPrefix = idPrefix;
    this.fill = fill;
    this.count = 0;
    /** @type {number | null} */
    this.selected = null;
    this.spacer = document.createElement('div');
    this.spacer.className = 'spacer';
    this.spacer.setAttribute('role', 'presentation');
    viewport.replaceChildren(this.spacer);
    /** @type {Map<number, HTMLElement>} */
    this.shown = new Map();
    this.rowHeight = 0;
    this.laidOutHeight = 0;
    viewport.addEventListener('scroll', () => this.render(), { passive: true });
    new ResizeObserver(() => this.render()).observe(viewport);
  }

  /** Rows change: all shown rows are written again. @param {number} count */
  setCount(count) {
    this.count = count;
    for (const option of this.shown.values()) option.remove();
    this.shown.clear();
    if (this.selected !== null && this.selected >= count) this.selected = null;
    this.render();
  }

  /** @param {number | null} row */
  setSelected(row) {
    const before = this.selected === null ? undefined : this.shown.get(this.selected);
    if (before) this.mark(before, false);
    this.selected = row;
    const after = row === null ? undefined : this.shown.get(row);
    if (after) this.mark(after, true);
    this.updateActive();
  }

  /** Scrolls the least that shows the row whole. @param {number} row */
  scrollTo(row) {
    const height = this.measure();
    const top = row * height;
    const view = this.viewport;
    if (top < view.scrollTop) view.scrollTop = top;
    else if (top + height > view.scrollTop + view.clientHeight) view.scrollTop = top + height - view.clientHeight;
    this.render();
  }

  /** How many whole rows the viewport shows. */
  pageRows() {
    return Math.max(1, Math.floor(this.viewport.clientHeight / this.measure()));
  }

  /** @param {MouseEvent} event @returns {number | null} the row the event happened on */
  rowAt(event) {
    const option = /** @type {HTMLElement | null} */ (
      /** @type {HTMLElement} */ (event.target).closest('[data-row]'));
    return option ? Number(option.dataset.index) : null;
  }

  /** The height of a row, once the list is shown; a guess while it is hidden. */
  measure() {
    if (this.rowHeight === 0) {
      const probe = this.makeOption();
      probe.textContent = 'Mg\u4e2d';
      this.spacer.append(probe);
      this.rowHeight = probe.offsetHeight;
      probe.remove();
    }
    return this.rowHeight || 18;
  }

  render() {
    const height = this.measure();
    if (height !== this.laidOutHeight) {
      for (const option of this.shown.values()) option.remove();
      this.shown.clear();
      this.laidOutHeight = height;
    }
    this.spacer.style.height = `${this.count * height}px`;
    const first = Math.max(0, Math.floor(this.viewport.scrollTop / height) - OVERSCAN);
    const last = Math.min(this.count, Math.ceil((this.viewport.scrollTop + this.viewport.clientHeight) / height) + OVERSCAN);
    for (const [index, option] of this.shown) {
      if (index < first || index >= last) {
        option.remove();
        this.shown.delete(index);
      }
    }
    for (let index = first; index < last; ++index) {
      if (this.shown.has(index)) continue;
      const option = this.makeOption();
      option.id = this.idPrefix + index;
      option.dataset.index = String(index);
      option.style.transform = `translateY(${index * height}px)`;
      option.setAttribute('aria-posinset', String(index + 1));
      option.setAttribute('aria-setsize', String(this.count));
      this.fill(index, option);
      this.mark(option, index === this.selected);
      this.spacer.append(option);
      this.shown.set(index, option);
    }
    this.updateActive();
  }

  makeOption() {
    const option = document.createElement('div');
    option.className = 'option';
    option.setAttribute('role', 'option');
    return option;
  }

  /** @param {HTMLElement} option @param {boolean} selected */
  mark(option, selected) {
    option.setAttribute('aria-selected', String(selected));
    option.classList.toggle('selected', selected);
  }

  updateActive() {
    if (this.selected !== null && this.shown.has(this.selected)) {
      this.viewport.setAttribute('aria-activedescendant', this.idPrefix + this.selected);
    } else {
      this.viewport.removeAttribute('aria-activedescendant');
    }
  }
}
