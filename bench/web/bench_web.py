#!/usr/bin/python3
"""The web catalogue's benchmarks, in headless Chromium on a local server, each against its
baseline in the same run; prints the ROW| and NOTE| lines that run-benchmarks.sh gathers.

  bench_web.py SITE LFTOOL

- first paint of the list: our page on the shipped catalogue against a plain page that lists the
  same 21,809 names from a JSON file, both timed from navigation to the first frame after the list
  is in the document (the median of several loads each, the cache off);
- a keystroke in the finder's name box, and a search (Enter) in the main window, each timed from
  the event to the end of the layout it causes: the 99th percentile against one frame (16 ms);
- the bytes of the page's own files (module, scripts, HTML, CSS, icon) against 1 MB.
"""
import functools
import http.server
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

LOADS = 9
FRAME_MS = 16.0
PAGE_BUDGET = 1 << 20

BASELINE = '''<!doctype html>
<meta charset="utf-8"><title>names</title>
<ul id="names"></ul>
<script>
fetch('names.json').then(r => r.json()).then(names => {
  const list = document.getElementById('names'), items = document.createDocumentFragment();
  for (const name of names) {
    const item = document.createElement('li');
    item.textContent = name;
    items.append(item);
  }
  list.append(items);
  requestAnimationFrame(() => setTimeout(() => {
    performance.mark('lf-list-painted');
    document.body.dataset.status = 'ready';
  }));
});
</script>
'''

# Each event dispatched as typing does, then the layout it causes forced: milliseconds for each
# letter typed, and for each Enter after it where enter is set. One untimed search first, so that
# the first use of the fonts is not counted as a keystroke.
KEYSTROKES = '''
const [boxId, texts, enter] = arguments;
const box = document.getElementById(boxId), typed = [], entered = [];
const timed = (times, work) => {
  const start = performance.now();
  work();
  void document.body.offsetHeight;
  times.push(performance.now() - start);
};
const press = () => box.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter'}));
box.value = texts[0];
press();
for (const text of texts) {
  for (let length = 1; length <= text.length; ++length) {
    timed(typed, () => {
      box.value = text.slice(0, length);
      box.dispatchEvent(new Event('input'));
    });
    if (enter) timed(entered, press);
  }
}
return [typed, entered];
'''


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def percentile(values, p):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(p / 100 * (len(ordered) - 1))))]


def row(name, ours, baseline, ratio, goal, unit_ms=True):
    text = (lambda v: f'{v:.2f} ms') if unit_ms else (lambda v: f'{v / 1024:.0f} KB')
    print(f'ROW| {name} | {text(ours)} | {baseline} | {ratio:.2f} | <= {goal:g} |'
          f'{"" if ratio <= goal else " missed"}')


def main():
    site, lftool = sys.argv[1], sys.argv[2]
    root = tempfile.mkdtemp(prefix='lf-web-bench-')
    profile = tempfile.mkdtemp(prefix='lf-chromium-')
    shutil.copytree(site, os.path.join(root, 'site'))
    names = [json.loads(line)['name'] for line in subprocess.run(
        [lftool, 'find', os.path.join(site, 'catalogue', 'item_table.txt'), '--json'],
        check=True, capture_output=True, text=True).stdout.splitlines()]
    os.makedirs(os.path.join(root, 'baseline'))
    with open(os.path.join(root, 'baseline', 'names.json'), 'w', encoding='utf-8') as file:
        json.dump(names, file, ensure_ascii=False)
    with open(os.path.join(root, 'baseline', 'index.html'), 'w', encoding='utf-8') as file:
        file.write(BASELINE)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(Quiet, directory=root))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for flag in ('--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
                 '--disable-background-networking', f'--user-data-dir={profile}',
                 '--window-size=1280,900', '--lang=en-US'):
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    try:
        driver.execute_cdp_cmd('Network.enable', {})
        driver.execute_cdp_cmd('Network.setCacheDisabled', {'cacheDisabled': True})
        base = f'http://127.0.0.1:{server.server_port}'

        def first_paint(url):
            driver.get('about:blank')
            driver.get(url)
            WebDriverWait(driver, 60).until(
                lambda d: d.execute_script('return document.body && document.body.dataset.status') == 'ready')
            return driver.execute_script(
                "return performance.getEntriesByName('lf-list-painted')[0].startTime")

        ours, plain = [], []
        for _ in range(LOADS):  # alternately, so that both see the same machine
            ours.append(first_paint(f'{base}/site/index.html'))
            plain.append(first_paint(f'{base}/baseline/index.html'))
        ours_ms, plain_ms = statistics.median(ours), statistics.median(plain)
        row('web: first paint of the list, shipped catalogue, vs a plain list of the names from JSON',
            ours_ms, f'{plain_ms:.2f} ms', ours_ms / plain_ms, 1.5)

        # Keystrokes: name fragments typed letter by letter, and searches for them.
        texts = sorted({name[:4] for name in names[1::250] if len(name) >= 2})
        driver.get(f'{base}/site/index.html#find')
        WebDriverWait(driver, 60).until(
            lambda d: d.execute_script('return document.body.dataset.status') == 'ready')
        finder, _ = driver.execute_script(KEYSTROKES, 'finder-name', texts, False)
        typing, search = driver.execute_script(KEYSTROKES, 'search', texts, True)
        for what, times in (('a keystroke in the finder\'s name box', finder),
                            ('a keystroke in the search box', typing),
                            ('a search (Enter), a new icon sheet decoded at times', search)):
            p99 = percentile(times, 99)
            row(f'web: {what}, 99th percentile', p99, f'{FRAME_MS:.2f} ms budget', p99 / FRAME_MS, 1)
            print(f'NOTE| web: {what}: median {statistics.median(times):.2f} ms over {len(times)}')

        own = [f for f in os.listdir(site) if os.path.isfile(os.path.join(site, f))]
        size = sum(os.path.getsize(os.path.join(site, f)) for f in own)
        row("web: the page's own files (" + ', '.join(sorted(own)) + ')', size, '1024 KB budget',
            size / PAGE_BUDGET, 1, unit_ms=False)
        print(f'NOTE| web: first paint, ours {min(ours):.0f} to {max(ours):.0f} ms, '
              f'the plain list {min(plain):.0f} to {max(plain):.0f} ms over {LOADS} loads each')
    finally:
        driver.quit()
        server.shutdown()
        server.server_close()
        shutil.rmtree(root, ignore_errors=True)
        shutil.rmtree(profile, ignore_errors=True)


if __name__ == '__main__':
    main()
