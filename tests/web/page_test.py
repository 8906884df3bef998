#!/usr/bin/python3
"""The web catalogue in a real browser: headless Chromium, driven by Selenium, against sites that
lftool site writes, served on 127.0.0.1. Each test class is one ctest (python3 page_test.py CLASS)
with a browser of its own; the expectations come from lftool, which runs the same cores natively.

A machine whose Chromium does not start skips with one line, also kept in the log that ctest
prints after the run (LF_SKIPPED_CHECKS_LOG); a missing tool skips the same way, except in CI,
where every tool is installed and a missing one fails.
"""
import fcntl
import functools
import http.server
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import unittest

SKIP_STATUS = 77
LFTOOL = os.environ['LF_LFTOOL']
EMBED = os.environ['LF_EMBED']
CATALOGUE = os.environ['LF_CATALOGUE_DIR']
TABLE = os.path.join(CATALOGUE, 'item_table.txt')
SHEETS = [os.path.join(CATALOGUE, f'icon_sheet_{n:02}.jpg') for n in range(1, 17)]
ROWS = 21809


def skip_everything(what, machine):
    """Ends the run: one line here and in the log; a missing tool fails in CI instead."""
    in_ci = os.environ.get('CI', '') not in ('', '0', 'false')
    if not machine and in_ci:
        print(f'FAILED: {what}')
        sys.exit(1)
    line = f'SKIPPED on this machine: {what}'
    print(line, flush=True)
    log = os.environ.get('LF_SKIPPED_CHECKS_LOG')
    if log:
        with open(log, 'a+', encoding='utf-8') as file:
            fcntl.flock(file, fcntl.LOCK_EX)
            file.seek(0)
            if line not in file.read().splitlines():
                file.write(line + '\n')
    sys.exit(SKIP_STATUS)


try:
    from selenium import webdriver
    from selenium.common.exceptions import NoAlertPresentException, WebDriverException
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    skip_everything('the web page in Chromium: python3-selenium is missing '
                    '(scripts/install-deps.sh installs it)', machine=False)


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def lftool_json(*arguments):
    return [json.loads(line) for line in run(LFTOOL, *arguments).splitlines()]


def rgb_of(hex_colour):
    return 'rgb({}, {}, {})'.format(*(int(hex_colour[i:i + 2], 16) for i in (1, 3, 5)))


class Served:
    """A folder of sites on a local server, and one Chromium for the test class."""

    def __init__(self, language):
        self.root = tempfile.mkdtemp(prefix='lf-web-')
        self.profile = tempfile.mkdtemp(prefix='lf-chromium-')
        handler = functools.partial(QuietHandler, directory=self.root)
        self.server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        for browser, driver in (('/usr/bin/chromium', '/usr/bin/chromedriver'),):
            if not (os.path.exists(browser) and os.path.exists(driver)):
                self.close()
                skip_everything('the web page in Chromium: chromium or chromium-driver is missing '
                                '(scripts/install-deps.sh installs them)', machine=False)
        options = webdriver.ChromeOptions()
        options.binary_location = browser
        for flag in ('--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update',
                     f'--user-data-dir={self.profile}', '--window-size=1280,900',
                     f'--lang={language}'):
            options.add_argument(flag)
        options.add_experimental_option('prefs', {'intl.accept_languages': language})
        try:
            self.driver = webdriver.Chrome(service=Service(driver), options=options)
        except WebDriverException as error:
            self.close()
            reason = (error.msg or str(error)).strip().splitlines()[0]
            skip_everything(f'the web page in Chromium: Chromium did not start ({reason})',
                            machine=True)
        self.driver.set_script_timeout(60)

    def site(self, name, source, *arguments):
        """lftool site SOURCE into the served folder; the site's address."""
        run(LFTOOL, 'site', source, os.path.join(self.root, name), *arguments)
        return self.url(name)

    def url(self, name):
        return f'http://127.0.0.1:{self.server.server_port}/{name}/index.html'

    def open(self, url, status='ready'):
        self.driver.get(url)
        WebDriverWait(self.driver, 60).until(
            lambda d: d.find_element(By.TAG_NAME, 'body').get_attribute('data-status') != 'loading')
        body = self.driver.find_element(By.TAG_NAME, 'body')
        assert body.get_attribute('data-status') == status, self.driver.find_element(
            By.ID, 'message-text').get_attribute('textContent')

    def close(self):
        if getattr(self, 'driver', None):
            self.driver.quit()
        self.server.shutdown()
        self.server.server_close()
        shutil.rmtree(self.root, ignore_errors=True)
        shutil.rmtree(self.profile, ignore_errors=True)


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class PageTest(unittest.TestCase):
    language = 'en-US'

    @classmethod
    def setUpClass(cls):
        cls.served = Served(cls.language)
        cls.d = cls.served.driver
        cls.shipped = cls.served.site('shipped', TABLE, '--sheets', CATALOGUE)

    @classmethod
    def tearDownClass(cls):
        cls.served.close()

    def element(self, id):
        return self.d.find_element(By.ID, id)

    def value(self, id):
        return self.element(id).get_attribute('value')

    def text(self, id):
        return self.element(id).get_attribute('textContent')

    def selected_row(self):
        rows = self.d.find_elements(By.CSS_SELECTOR, '#items [aria-selected="true"]')
        return int(rows[0].get_attribute('data-row')) if rows else None

    def type_into(self, id, text):
        box = self.element(id)
        box.clear()
        box.send_keys(text)

    def paste_number(self, text):
        """The number field's text replaced at once, as a paste does."""
        self.d.execute_script('const n = document.getElementById("item-number"); '
                              'n.value = arguments[0]; n.dispatchEvent(new Event("input"));', text)


class ListAndKeys(PageTest):
    def test_every_item_listed_with_few_rows_in_the_document(self):
        self.served.open(self.shipped)
        self.assertEqual(self.text('total'), f'Total = {ROWS}')
        items = self.element('items')
        self.assertEqual(items.get_attribute('role'), 'listbox')
        shown = self.d.find_elements(By.CSS_SELECTOR, '#items [data-row]')
        self.assertLess(len(shown), 100)
        names = {item['row']: item['name'] for item in lftool_json('find', TABLE, '--json')}
        self.assertEqual(len(names), ROWS)
        self.d.execute_script('const l = arguments[0]; l.scrollTop = l.scrollHeight; '
                              'l.dispatchEvent(new Event("scroll"));', items)
        last = self.d.find_elements(By.CSS_SELECTOR, '#items [data-row]')
        self.assertIn(str(ROWS - 1), [row.get_attribute('data-row') for row in last])
        for row in last:
            self.assertEqual(row.get_attribute('textContent'), names[int(row.get_attribute('data-row'))])

    def test_keys_and_links_move_the_selection_as_on_the_desktop(self):
        self.served.open(self.shipped + '#item=40')
        self.assertEqual(self.selected_row(), 40)
        self.assertEqual(self.value('item-number'), '40')
        items = self.element('items')
        self.assertEqual(items.get_attribute('aria-activedescendant'), 'item-40')
        items.send_keys(Keys.ARROW_DOWN, Keys.ARROW_DOWN, Keys.ARROW_UP)
        self.assertEqual(self.selected_row(), 41)
        self.assertEqual(self.text('position'), 'Locate = 42')
        # The address follows the selection at the next frame.
        WebDriverWait(self.d, 10).until(lambda d: d.current_url.endswith('#item=41'))
        items.send_keys(Keys.END)
        self.assertEqual(self.selected_row(), ROWS - 1)
        # The icon box shows and hides the card; Ctrl+F opens the finder, Escape closes it.
        self.element('icon').click()
        self.assertIn('card-hidden', self.element('card-panel').get_attribute('class'))
        self.element('icon').click()
        self.assertNotIn('card-hidden', self.element('card-panel').get_attribute('class'))
        self.element('search').send_keys(Keys.CONTROL, 'f')
        self.assertTrue(self.element('finder').is_displayed())
        self.element('finder-name').send_keys(Keys.ESCAPE)
        self.assertFalse(self.element('finder').is_displayed())

    def test_a_phone_screen_shows_the_card_below_the_list(self):
        self.d.set_window_size(400, 900)
        try:
            self.served.open(self.shipped + '#item=7')
            below = self.element('card-panel').rect['y'] >= self.element('items').rect['y'] + \
                self.element('items').rect['height']
            self.assertTrue(below)
            self.assertLessEqual(self.d.execute_script('return document.body.scrollWidth'), 400)
        finally:
            self.d.set_window_size(1280, 900)


class Search(PageTest):
    def test_search_continues_and_ends_at_the_last_row_with_a_flash(self):
        self.served.open(self.shipped)
        names = [item['name'] for item in lftool_json('find', TABLE, '--json')]

        def matches(text, start=0):
            return [row for row in range(start, ROWS) if text in names[row]]

        # A text found three times or more, the last time before the last row.
        text = next(t for t in (names[row][:2] for row in range(ROWS - 2, 0, -1))
                    if len(matches(t)) > 2 and matches(t)[-1] < ROWS - 1)
        found = matches(text)
        self.type_into('search', text)
        self.element('search').send_keys(Keys.ENTER)
        self.assertEqual(self.selected_row(), found[0])
        self.element('search-button').click()
        self.assertEqual(self.selected_row(), found[1])
        self.assertEqual(self.value('item-name'), names[found[1]])
        # A changed text searches from the top again.
        self.element('search').send_keys(Keys.BACK_SPACE)
        self.element('search').send_keys(text[-1], Keys.ENTER)
        self.assertEqual(self.selected_row(), found[0])
        # Past the last match the scan runs off the end: the last row, and a flash for the beep.
        self.paste_number(str(found[-1]))
        self.assertEqual(self.selected_row(), found[-1])
        self.assertEqual(self.d.find_element(By.TAG_NAME, 'body').get_attribute('data-beeps'), None)
        # The flash is short: whether it started is read in the same script as the key.
        flashed = self.d.execute_script(
            'document.getElementById("search").dispatchEvent('
            'new KeyboardEvent("keydown", {key: "Enter"})); '
            'return document.getElementById("search-row").classList.contains("beep");')
        self.assertTrue(flashed)
        self.assertEqual(self.selected_row(), ROWS - 1)
        self.assertEqual(self.d.find_element(By.TAG_NAME, 'body').get_attribute('data-beeps'), '1')
        # From the last row a search starts past the end: nothing happens, no flash.
        self.element('search').send_keys(Keys.ENTER)
        self.assertEqual(self.selected_row(), ROWS - 1)
        self.assertEqual(self.d.find_element(By.TAG_NAME, 'body').get_attribute('data-beeps'), '1')

    def test_the_number_field_rounds_half_to_even_and_ignores_what_is_no_row(self):
        self.served.open(self.shipped + '#item=3')
        for pasted, row in (('12.5', 12), ('13.5', 14), ('1e3', 1000), (' 77 ', 77), ('0', 77),
                            (str(ROWS), 77), ('-5', 77), ('abc', 77), ('', 77)):
            self.paste_number(pasted)
            self.assertEqual(self.selected_row(), row, pasted)
        # Typed key by key, each prefix is a number of its own.
        self.type_into('item-number', '1e3')
        self.assertEqual(self.selected_row(), 1000)


class Cards(PageTest):
    language = 'zh-CN'  # the page speaks the browser's language first

    def test_cards_equal_the_composers_in_both_languages(self):
        self.served.open(self.shipped)
        self.assertEqual(self.text('search-button'), '捜索')
        sample = list(range(1, ROWS, 71)) + [ROWS - 1]
        for language, search_caption in (('zh', '捜索'), ('en', 'Search')):
            self.assertEqual(self.text('search-button'), search_caption)
            shown = self.d.execute_script('''
                const number = document.getElementById('item-number');
                return arguments[0].map(row => {
                  number.value = String(row);
                  number.dispatchEvent(new Event('input'));
                  const card = document.getElementById('card');
                  return [document.getElementById('card-title').textContent,
                          Array.from(card.children, b => [b.textContent, getComputedStyle(b).color])];
                });''', sample)
            expected = {card['row']: card for card in lftool_json('card', '--lang', language, TABLE)}
            for row, (title, blocks) in zip(sample, shown):
                card = expected[row]
                self.assertEqual(title, card['title'], row)
                self.assertEqual(blocks, [[b['text'].replace('\r\n', '\n'), rgb_of(b['rgb'])]
                                          for b in card['blocks']], f'{language} row {row}')
            self.element('language-switch').click()
        self.assertEqual(self.text('total'), f'总共 = {ROWS}')


class Finder(PageTest):
    def results(self):
        """Every result's row, scrolling the virtual list through."""
        return self.d.execute_script('''
            const list = document.getElementById('results'), rows = new Map();
            for (let top = 0; ; top += list.clientHeight) {
              list.scrollTop = top;
              list.dispatchEvent(new Event('scroll'));
              for (const o of list.querySelectorAll('[data-row]')) rows.set(Number(o.dataset.index), Number(o.dataset.row));
              if (top >= list.scrollHeight) break;
            }
            return Array.from(rows.keys()).sort((a, b) => a - b).map(i => rows.get(i));''')

    def test_a_link_and_each_keystroke_give_lftool_finds_results(self):
        query = ['--slot', 'Head', '--class', 'Knight', '--level', '20..40', '--sort', 'defence',
                 '--desc']
        self.served.open(self.shipped + '#find?slot=Head&class=Knight&level=20..40&sort=defence&desc=1')
        self.assertTrue(self.element('finder').is_displayed())
        expected = [item['row'] for item in lftool_json('find', TABLE, '--json', *query)]
        self.assertEqual(self.results(), expected)
        self.assertEqual(self.text('finder-count'), f'{len(expected)} items')
        name = self.d.find_elements(By.CSS_SELECTOR, '#results [data-row] span')[1].text[:2]
        self.element('finder-name').send_keys(name)
        narrowed = [item['row'] for item in lftool_json('find', TABLE, '--json', '--name', name, *query)]
        self.assertEqual(self.results(), narrowed)

    def test_comparison_of_a_pinned_item_with_the_selected_one(self):
        self.served.open(self.shipped + '#find')
        self.element('finder-name').send_keys(Keys.ARROW_DOWN, Keys.ARROW_DOWN, Keys.ENTER)
        self.assertEqual(self.selected_row(), 2)
        self.element('finder-compare').click()
        self.type_into('item-number', '5')
        lines = self.d.find_elements(By.CSS_SELECTOR, '#comparison tr')
        names = {item['row']: item['name'] for item in lftool_json('find', TABLE, '--json', '--limit', '6')}
        self.assertEqual([c.text for c in lines[0].find_elements(By.TAG_NAME, 'td')][1:3],
                         [names[2], names[5]])
        self.assertGreater(len(lines), 1)
        self.element('finder-clear').click()
        self.assertEqual(self.d.find_elements(By.CSS_SELECTOR, '#comparison tr'), [])


class HostileCatalogues(PageTest):
    def test_markup_in_a_table_stays_text_and_a_huge_sheet_is_refused(self):
        with open(TABLE, 'rb') as file:
            table = file.read().split(b'\r\n')
        records = [line.split(b'|') for line in table[1:ROWS + 1]]
        hostile = '<img src=x onerror=alert(1)>'.encode()
        records[1][1] = hostile  # row 1, on line 2
        records[1][86] = b'<b>bold</b><script>alert(2)</script>'
        records[1][73] = b'5'  # a cell of the first sheet
        on_second_sheet = next(row for row, fields in enumerate(records) if 256 <= int(fields[73]) < 512)
        table[1:ROWS + 1] = [b'|'.join(fields) for fields in records]
        folder = os.path.join(self.served.root, 'modded')
        os.makedirs(folder)
        with open(os.path.join(folder, 'item_table.txt'), 'wb') as file:
            file.write(b'\r\n'.join(table))
        # Sheet 1 declares 5000 x 5000 pixels: its frame header's height and width.
        with open(SHEETS[0], 'rb') as file:
            sheet = bytearray(file.read())
        frame = sheet.index(b'\xff\xc0')
        sheet[frame + 5:frame + 9] = (5000).to_bytes(2, 'big') * 2
        with open(os.path.join(folder, 'icon_sheet_01.jpg'), 'wb') as file:
            file.write(sheet)
        # A modded Lorefinder.exe (any ELF program carries the catalogue as the build's does).
        exe = os.path.join(folder, 'Lorefinder.exe')
        run(EMBED, LFTOOL, exe, os.path.join(folder, 'item_table.txt'),
            os.path.join(folder, 'icon_sheet_01.jpg'), *SHEETS[1:])
        url = self.served.site('hostile', exe)
        self.served.open(url + '#item=1')
        self.assertEqual(self.value('item-name'), hostile.decode())
        self.assertEqual(self.element('item-name').get_attribute('title'),
                         '<b>bold</b><script>alert(2)</script>')
        self.assertEqual(self.text('card-title'), hostile.decode())
        self.assertEqual(self.d.find_element(By.CSS_SELECTOR, '#items [data-row="1"]')
                         .get_attribute('textContent'), hostile.decode())
        self.assertEqual(self.d.find_elements(By.CSS_SELECTOR, 'main img, main b, main script'), [])
        with self.assertRaises(NoAlertPresentException):
            self.d.switch_to.alert.text
        self.assertTrue(self.icon_is_grey(), 'an icon of the refused sheet is not the grey box')
        self.paste_number(str(on_second_sheet))
        self.assertEqual(self.selected_row(), on_second_sheet)
        self.assertFalse(self.icon_is_grey(), 'the other sheets still show their pictures')

    def icon_is_grey(self):
        return self.d.execute_script('''
            const pixels = document.getElementById('icon').getContext('2d').getImageData(0, 0, 31, 31).data;
            return pixels.every((v, i) => i % 4 === 3 || v === 128);''')

    def test_a_table_the_browser_refuses_shows_the_loaders_message(self):
        folder = os.path.join(self.served.root, 'refused')
        shutil.copytree(os.path.join(self.served.root, 'shipped'), folder)
        with open(os.path.join(folder, 'catalogue', 'item_table.txt'), 'wb') as file:
            file.write(b'two\r\n')
        self.served.open(self.served.url('refused'), status='refused')
        self.assertTrue(self.element('message').is_displayed())
        self.assertEqual(self.text('message-title'), 'Lorefinder')
        self.assertTrue(self.text('message-text').startswith(
            'The item table cannot be loaded: type mismatch.'), self.text('message-text'))
        self.assertFalse(self.element('browser').is_displayed())


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1] + sys.argv[1:], verbosity=2)
