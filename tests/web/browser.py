"""Debian's Chromium, headless, driven through its WebDriver, for the web page's suite and
benchmark: a fresh profile each time, nothing fetched from a network."""
import contextlib
import pathlib
import shutil
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

ROOT = pathlib.Path(__file__).resolve().parents[2]
PAGE = ROOT / 'dist' / 'tripart.html'


@contextlib.contextmanager
def chromium():
    profile = tempfile.mkdtemp(prefix='tripart-chromium-')
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for arg in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                '--disable-background-networking', '--disable-component-update', '--disable-sync',
                f'--user-data-dir={profile}', '--window-size=900,800',
                # No name resolves: the page must need nothing beyond its own file.
                '--host-resolver-rules=MAP * ~NOTFOUND'):
        options.add_argument(arg)
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    try:
        yield driver
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


def open_page(driver):
    """Opens the page from its file and waits until its window is built; returns the time the
    page took to be ready, in milliseconds since the navigation began."""
    driver.get(PAGE.as_uri())
    WebDriverWait(driver, 30).until(
        lambda d: d.execute_script('return document.documentElement.dataset.ready !== undefined'))
    return float(driver.execute_script('return document.documentElement.dataset.ready'))


def set_zoom(driver, factor):
    """Scales the page as a display scaled by `factor` does: CSS pixels stay, device pixels grow."""
    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                           {'width': 900, 'height': 800, 'deviceScaleFactor': factor, 'mobile': False})


# Clicks "Start" on a start that runs and returns, in milliseconds, how long the page took until
# the run hid its busy label again, which it does last, and the texts were laid out.
RUN_START = '''
const done = arguments[arguments.length - 1];
const busy = document.getElementById('Label2');
new MutationObserver((records, observer) => {
  if (busy.hidden) {
    observer.disconnect();
    document.getElementById('Text1').scrollHeight + document.getElementById('Text2').scrollHeight;
    done(performance.now() - t0);
  }
}).observe(busy, {attributes: true, attributeFilter: ['hidden']});
// Empty boxes, so that the run's texts are new to them and laid out afresh.
document.getElementById('Text1').value = document.getElementById('Text1').defaultValue;
document.getElementById('Text2').value = document.getElementById('Text2').defaultValue;
document.getElementById('Text1').scrollHeight + document.getElementById('Text2').scrollHeight;
const t0 = performance.now();
document.getElementById('Command1').click();
'''


def run_start(driver):
    return driver.execute_async_script(RUN_START)
