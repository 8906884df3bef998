// @ts-check
// A list box of many rows that keeps in the document only the rows in view (and a few around
// them): 21,809 items cost some forty elements. Each shown row asks for its text when it comes
// into view. For assistive technology it is a listbox whose options say where they stand.

const OVERSCAN = 1;

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
    /** @type {Map<number, HTMLElement>} the rows in view and around, by row */
    this.shown = new Map();
    /** @type {HTMLElement[]} elements of no row, hidden */
    this.spare = [];
    /** @type {WeakMap<HTMLElement, number>} the generation of the rows each was last written in */
    this.written = new WeakMap();
    this.generation = 0;
    this.rowHeight = 0;
    this.laidOutHeight = 0;
    // The scroll position and the viewport's height as last seen, when reading them is free:
    // reading them after a change of the rows would lay the page out there and then.
    this.top = 0;
    this.viewHeight = 0;
    viewport.addEventListener('scroll', () => {
      this.top = viewport.scrollTop;
      this.render();
    }, { passive: true });
    new ResizeObserver(() => {
      this.viewHeight = viewport.clientHeight;
      this.render();
    }).observe(viewport);
  }

  /** Rows change: every shown row is written again, in the elements it has. @param {number} count */
  setCount(count) {
    this.count = count;
    ++this.generation;
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

  /** The viewport's height; read once where no resize was seen yet, as at the start. */
  viewportHeight() {
    if (this.viewHeight === 0) this.viewHeight = this.viewport.clientHeight;
    return this.viewHeight;
  }

  /** Scrolls the least that shows the row whole. @param {number} row */
  scrollTo(row) {
    const height = this.measure();
    this.viewportHeight();
    const top = row * height;
    let target = this.top;
    if (top < target) target = top;
    else if (top + height > target + this.viewHeight) target = top + height - this.viewHeight;
    if (target !== this.top) {
      this.top = target;
      this.viewport.scrollTop = target;
    }
    this.render();
  }

  /** How many whole rows the viewport shows. */
  pageRows() {
    return Math.max(1, Math.floor(this.viewHeight / this.measure()));
  }

  /** @param {MouseEvent} event @returns {number | null} the row the event happened on */
  rowAt(event) {
    const option = /** @type {HTMLElement | null} */ (
      /** @type {HTMLElement} */ (event.target).closest('[data-index]'));
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

  // Rows that leave the view lend their elements to rows that come into it, and a row's text is
  // written only where it changed: a layout costs by the elements it must lay out again.
  render() {
    const height = this.measure();
    if (height !== this.laidOutHeight) {
      for (const option of this.shown.values()) this.spare.push(option);
      this.shown.clear();
      this.laidOutHeight = height;
    }
    this.spacer.style.height = `${this.count * height}px`;
    this.viewportHeight();
    this.top = Math.max(0, Math.min(this.top, this.count * height - this.viewHeight));
    const first = Math.max(0, Math.floor(this.top / height) - OVERSCAN);
    const last = Math.min(this.count, Math.ceil((this.top + this.viewHeight) / height) + OVERSCAN);
    for (const [index, option] of this.shown) {
      if (index < first || index >= last) {
        this.shown.delete(index);
        this.spare.push(option);
      }
    }
    for (let index = first; index < last; ++index) {
      let option = this.shown.get(index);
      if (!option) {
        option = this.spare.pop() ?? this.spacer.appendChild(this.makeOption());
        option.hidden = false;
        option.id = this.idPrefix + index;
        option.dataset.index = String(index);
        option.style.transform = `translateY(${index * height}px)`;
        option.setAttribute('aria-posinset', String(index + 1));
        this.shown.set(index, option);
      } else if (this.written.get(option) === this.generation) {
        continue;
      }
      option.setAttribute('aria-setsize', String(this.count));
      this.fill(index, option);
      this.written.set(option, this.generation);
      this.mark(option, index === this.selected);
    }
    for (const option of this.spare) {
      if (option.hidden) continue;
      // A spare element names no row: hidden, and without the row's marks.
      option.hidden = true;
      option.removeAttribute('id');
      delete option.dataset.index;
      delete option.dataset.row;
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
