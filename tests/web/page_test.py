"""The web page in a real browser, opened from its file: the report texts and "=" against the
native library's, the layout against the control table at 100 % and 150 %, the accessible
names, the keyboard, and that the page starts only when it implements every window operation
the library calls. The native tools come from a native build:
    page_test.py NATIVE_BUILD_DIR [unittest options]
TRIPART_WEB_SHOTS=DIR leaves screenshots of the page at 100 % and 150 % there."""
import os
import random
import subprocess
import sys
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

import browser

NATIVE = None


def native(*args, text=None):
    # Decoded here: a pipe in text mode would turn the CRs of a quoted start text into line feeds.
    done = subprocess.run([os.path.join(NATIVE, 'tests', args[0]), *args[1:]],
                          input=None if text is None else text.encode(), capture_output=True)
    done.stdout, done.stderr = done.stdout.decode(), done.stderr.decode()
    return done


def native_reports(start, degenerate):
    """The native run's table and list, with line feeds, as a text area keeps them."""
    out = native('reporttexts', start, str(degenerate)).stdout.replace('\r\n', '\n')
    table, list_ = out[:-1].split('\n----\n')
    return table, list_


def design():
    controls, accessible = {}, {}
    for line in native('designtable').stdout.splitlines():
        kind, *fields = line.split('\t')
        if kind == 'control':
            name, container, *numbers = fields
            left, top, width, height, tab, focus = map(int, numbers)
            controls[name] = dict(container=container, rect=(left, top, width, height), tab=tab, focus=focus)
        else:
            accessible[fields[0]] = fields[1]
    return controls, accessible


# Measures a control as the page shows it, the busy label as a run shows it.
def shown(measure):
    return '''
const control = document.getElementById(arguments[0]);
const hidden = control.hidden;
control.hidden = false;
try {
%s
} finally {
  control.hidden = hidden;
}''' % measure


# A control's outer box relative to its container's inner area, in CSS pixels.
BOX = shown('''
const container = control.parentElement;
const c = container.getBoundingClientRect();
const r = control.getBoundingClientRect();
return [r.left - c.left - container.clientLeft, r.top - c.top - container.clientTop, r.width, r.height];
''')

# Whether a caption fits its control: on one line, inside the box (trailing blanks aside).
CAPTION = shown('''
const box = control.getBoundingClientRect();

if (control.tagName === 'INPUT') {
  const style = getComputedStyle(control);
  const context = document.createElement('canvas').getContext('2d');
  context.font = `${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
  const width = context.measureText(control.value.trimEnd()).width;
  const room = control.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
  return {fits: width <= room, lines: 1, width, room};
}
const text = [...control.childNodes].find(n => n.nodeType === Node.TEXT_NODE && n.data.trim());
const range = document.createRange();
range.setStart(text, 0);
range.setEnd(text, text.data.trimEnd().length);
const lines = new Set([...range.getClientRects()].map(r => Math.round(r.top))).size;
const r = range.getBoundingClientRect();
return {fits: lines === 1 && r.left >= box.left - 1 && r.right <= box.right + 1 && r.height <= box.height + 1,
        lines, text: [r.left, r.right, r.height], box: [box.left, box.right, box.height]};
''')


# Runs before the page's own script: records what the page writes to the console as an error,
# and hands the page's start-up the library's list of the window operations it calls as `change`
# makes it, as if the library called others than the page implements.
CONTRACT_HOOK = '''
window.loggedErrors = [];
const logError = console.error.bind(console);
console.error = (...args) => { loggedErrors.push(args.join(' ')); logError(...args); };
const change = %s;
let start;
window.Module = {};
Object.defineProperty(Module, 'onRuntimeInitialized', {
  get: () => start && (() => {
    const called = Module.pageOperations;
    Module.pageOperations = () => change(called());
    start();
  }),
  set: value => { start = value; },
});
'''


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.controls, cls.accessible = design()
        cls._browser = browser.chromium()
        cls.driver = cls._browser.__enter__()
        # The tests paste through the clipboard, as a user does. Once a key was pressed on a page,
        # Chromium asks for the permission of a write after a user's gesture instead.
        cls.driver.execute_cdp_cmd('Browser.grantPermissions', {
            'origin': 'file://', 'permissions': ['clipboardReadWrite', 'clipboardSanitizedWrite']})

    @classmethod
    def tearDownClass(cls):
        cls._browser.__exit__(None, None, None)

    def setUp(self):
        browser.set_zoom(self.driver, 1)
        browser.open_page(self.driver)

    def element(self, name):
        return self.driver.find_element(By.ID, name)

    def value(self, name):
        return self.driver.execute_script('return document.getElementById(arguments[0]).value', name)

    def type_into(self, name, text):
        box = self.element(name)
        box.send_keys(Keys.CONTROL, 'a')
        box.send_keys(Keys.DELETE)
        box.send_keys(text)

    def test_runs_write_the_native_reports(self):
        # State: a fresh page; the switch is flipped only where the case needs it.
        cases = [('3', 0), ('20', 1), ('150', 0), ('-5', 1), ('100', 1), (' 12 ', 0)]
        for start, degenerate in cases:
            with self.subTest(start=start, degenerate=degenerate):
                # Action
                self.type_into('txtN(0)', start)
                switch = self.element('Check1.box')
                if switch.is_selected() != bool(degenerate):
                    switch.click()
                browser.run_start(self.driver)
                # Expected
                table, list_ = native_reports(start, degenerate)
                self.assertEqual(self.value('Text1'), table)
                self.assertEqual(self.value('Text2'), list_)
                self.assertEqual(self.value('txtN(0)'), '100' if start == '150' else start)
                self.assertFalse(self.element('Label2').is_displayed())
        # Everything came from the page's own file: no other resource was asked for.
        fetched = self.driver.execute_script(
            'return performance.getEntriesByType("resource").map(e => e.name)')
        self.assertEqual([name for name in fetched if not name.startswith('data:')], [])

    def test_a_start_that_is_no_start_gets_the_message_and_loses_nothing(self):
        for start in ['abc', '', '3.7', '-', 'zwölf']:
            with self.subTest(start=start):
                self.setUp()
                self.type_into('txtN(0)', start)
                self.type_into('Text2', 'meine Notizen')
                self.element('Command1').click()
                dialog = self.element('message')
                WebDriverWait(self.driver, 10).until(lambda d: dialog.get_attribute('open') is not None)
                expected = native('reporttexts', start, '0')
                self.assertEqual(expected.returncode, 1)
                self.assertEqual(self.element('message-text').text, expected.stderr.strip())
                dialog.find_element(By.TAG_NAME, 'button').click()
                self.assertIsNone(dialog.get_attribute('open'))
                self.assertEqual(self.value('Text2'), 'meine Notizen')
                self.assertEqual(self.value('txtN(0)'), start)

    def paste_into(self, name, text, *keys):
        self.driver.execute_async_script('''
            const done = arguments[arguments.length - 1];
            navigator.clipboard.writeText(arguments[0]).then(done);''', text)
        box = self.element(name)
        box.send_keys(Keys.CONTROL, 'a')
        box.send_keys(Keys.CONTROL, 'v')
        if keys:
            box.send_keys(*keys)

    def test_pasted_line_breaks_stay_in_the_boxes_as_on_the_desktop(self):
        # The box holds the line break and shows it as a blank; an edit after the paste, or the
        # paste undone and done again, keeps it.
        cases = [('12\r\n', (), '12\r\n', '12  '), ('1\n2', (), '1\n2', '1 2'), ('3\r7', (), '3\r7', '3 7'),
                 ('1\n2', (Keys.ARROW_LEFT, '0'), '1\n02', '1 02'),
                 ('1\n2', (Keys.CONTROL, 'z', 'y'), '1\n2', '1 2')]
        for pasted, keys, held, shown in cases:
            with self.subTest(pasted=pasted, keys=keys):
                self.setUp()
                self.paste_into('txtN(0)', pasted, *keys)
                self.assertEqual(self.value('txtN(0)'), shown)
                expected = native('reporttexts', held, '0')
                if expected.returncode == 0:
                    browser.run_start(self.driver)
                    self.assertEqual((self.value('Text1'), self.value('Text2')), native_reports(held, 0))
                else:
                    self.element('Command1').click()
                    WebDriverWait(self.driver, 10).until(
                        lambda d: self.element('message').get_attribute('open') is not None)
                    message = self.driver.execute_script('return document.getElementById("message-text").textContent')
                    self.assertEqual(message, expected.stderr[:-1])
                    self.assertEqual(self.value('txtN(0)'), shown)
        # The formula box reads the number that leads, up to the break.
        self.setUp()
        self.paste_into('Text4', '25\n34')
        self.element('Command3').click()
        box, result = native('reporttexts', '--formula', text='25\n34').stdout[:-1].split('\n----\n')
        self.assertEqual((self.value('Text4'), self.value('Text5')), (box, result))

    def test_during_a_run_the_window_works_and_ende_abandons_the_run(self):
        # State: a run that has given the browser its first turn.
        self.type_into('txtN(0)', '100')
        during = self.driver.execute_async_script('''
            const done = arguments[arguments.length - 1];
            const table = document.getElementById('Text1');
            const header = table.value;
            document.getElementById('Command1').click();
            // Action, in that turn: the scroll bar, "=", then "Ende".
            document.getElementById('VScroll1').dispatchEvent(new KeyboardEvent('keydown', {key: 'ArrowUp'}));
            document.getElementById('Command3').click();
            const seen = [document.getElementById('txtN(0)').value, document.getElementById('Text5').value];
            document.getElementById('Command2').click();
            // Two frames: many more turns than the run needs to finish, had it resumed.
            requestAnimationFrame(() => requestAnimationFrame(() => done(seen.concat(
                [table.value === header, document.getElementById('frmtripart') === null,
                 document.getElementById('ended').hidden]))));''')
        # Expected: the scroll bar and "=" answered, the run never resumed to write its rows,
        # the window is gone and the page says so.
        count = native('reporttexts', '--formula', text='333').stdout[:-1].split('\n----\n')[1]
        self.assertEqual(during, ['20', count, True, True, False])

    def test_formula_on_a_hundred_thousand_digits(self):
        digits = random.Random(21).choices('0123456789', k=100000)
        digits[0] = '7'
        number = ''.join(digits)
        self.driver.execute_script('document.getElementById("Text4").value = arguments[0]', number)
        self.element('Command3').click()
        box, result = native('reporttexts', '--formula', text=number).stdout[:-1].split('\n----\n')
        self.assertEqual(len(result), 200000)
        self.assertEqual(self.value('Text5'), result)
        self.assertEqual(self.value('Text4'), box)

    def test_layout_at_100_and_150_percent(self):
        for zoom in (1, 1.5):
            with self.subTest(zoom=zoom):
                browser.set_zoom(self.driver, zoom)
                browser.open_page(self.driver)
                self.assertEqual(self.driver.execute_script('return devicePixelRatio'), zoom)
                for name, control in self.controls.items():
                    box = self.driver.execute_script(BOX, name)
                    for got, want in zip(box, control['rect']):
                        self.assertLessEqual(abs(got - want), 1, f'{name}: {box} != {control["rect"]}')
                for name in ['Label1(0)', 'Command1', 'Label2', 'Command2', 'Label3', 'Check1', 'Label4',
                             'Label5', 'Label6', 'Label7', 'Command3', 'Text3']:
                    fit = self.driver.execute_script(CAPTION, name)
                    self.assertTrue(fit['fits'], f'{name} at {zoom}: {fit}')
                shots = os.environ.get('TRIPART_WEB_SHOTS')
                if shots:
                    self.driver.save_screenshot(os.path.join(shots, f'web-{int(zoom * 100)}.png'))

    def test_the_page_starts_only_with_every_window_operation_the_library_calls(self):
        cases = [
            ('as built', 'names => names', None),
            ('one the page lacks', "names => [...names, 'scrollText']", 'missing scrollText'),
            ('one misspelt', "names => names.map(n => n === 'setBusy' ? 'setbusy' : n)",
             'missing setbusy; not called by the library setBusy'),
        ]
        for case, change, problem in cases:
            with self.subTest(case):
                # State: the library's list changed before the page starts.
                hook = self.driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument',
                                                   {'source': CONTRACT_HOOK % change})
                try:
                    # Action
                    self.driver.get(browser.PAGE.as_uri())
                    WebDriverWait(self.driver, 30).until(lambda d: d.execute_script(
                        'return document.documentElement.dataset.ready !== undefined || loggedErrors.length > 0'))
                    ready, errors = self.driver.execute_script(
                        'return [document.documentElement.dataset.ready !== undefined, loggedErrors]')
                finally:
                    self.driver.execute_cdp_cmd('Page.removeScriptToEvaluateOnNewDocument', hook)
                # Expected
                if problem is None:
                    self.assertTrue(ready)
                    self.assertEqual(errors, [])
                else:
                    self.assertFalse(ready)
                    self.assertFalse(self.element('frmtripart').is_displayed())
                    self.assertEqual(errors, ['The page does not implement the window operations the library '
                                              'calls: ' + problem])

    def test_accessible_names(self):
        for control, name in self.accessible.items():
            with self.subTest(control=control):
                element = self.driver.execute_script(
                    'return document.getElementById(arguments[0] + ".box") || document.getElementById(arguments[0])',
                    control)
                self.assertEqual(element.accessible_name, name)

    def test_keyboard_goes_round_in_the_tab_order_and_works_the_controls(self):
        focusable = sorted((c['tab'], n) for n, c in self.controls.items() if c['focus'])
        order = [name for _, name in focusable]
        active = 'return document.activeElement.closest(".control").id'
        self.assertEqual(self.driver.execute_script(active), order[0])
        visited = []
        for _ in order:
            ActionChains(self.driver).send_keys(Keys.TAB).perform()
            visited.append(self.driver.execute_script(active))
        self.assertEqual(visited, order[1:] + order[:1])

        # The scroll bar by its keys, then "Start" by the space bar, backwards through the order.
        self.element('VScroll1').send_keys(Keys.ARROW_UP)
        self.assertEqual(self.value('txtN(0)'), '20')
        ActionChains(self.driver).send_keys(Keys.ARROW_DOWN, Keys.ARROW_DOWN).perform()
        self.assertEqual(self.value('txtN(0)'), '0')
        ActionChains(self.driver).send_keys(Keys.ARROW_UP, Keys.ARROW_UP, Keys.ARROW_UP).perform()
        back = order.index('VScroll1') - order.index('Command1')
        ActionChains(self.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB * back).key_up(Keys.SHIFT).perform()
        self.assertEqual(self.driver.execute_script(active), 'Command1')
        ActionChains(self.driver).send_keys(Keys.SPACE).perform()
        table, list_ = native_reports('30', 0)
        WebDriverWait(self.driver, 10).until(lambda d: self.value('Text1') == table)
        self.assertEqual(self.value('Text2'), list_)


if __name__ == '__main__':
    NATIVE = sys.argv.pop(1)
    unittest.main(verbosity=2)
