// The window of the web page. It draws frmtripart from the design the compiled library hands
// over (Module.design), gives the library the page's controls as its window operations, and
// passes each event to the library's handler. It computes and decides nothing itself.
'use strict';

const kindTags = {label: 'div', textbox: 'input', button: 'button', checkbox: 'label', vscrollbar: 'div',
                  picturebox: 'div'};
const systemColours = {background: 'ButtonFace', foreground: 'ButtonText', boxBackground: 'Field',
                       boxForeground: 'FieldText'};
let ended = false;

function fontFamilies(font, design) {
  return [font.family, ...(design.substitutes[font.family] || [])].map(f => `"${f}"`)
      .concat(font.fixedPitch ? 'monospace' : 'sans-serif').join(', ');
}

function place(element, row, design) {
  const s = element.style;
  s.left = `${row.left}px`;
  s.top = `${row.top}px`;
  s.width = `${row.width}px`;
  s.height = `${row.height}px`;
  s.fontFamily = fontFamilies(row.font, design);
  s.fontSize = `${row.font.pixels}px`;
  s.fontWeight = row.font.bold ? 'bold' : 'normal';
  s.textAlign = row.align;
  const box = row.kind === 'textbox';
  s.backgroundColor = row.background || (box ? systemColours.boxBackground : systemColours.background);
  s.color = row.foreground || (box ? systemColours.boxForeground : systemColours.foreground);
}

function makeControl(row, design, buddies) {
  let element;
  if (row.kind === 'textbox' && row.multiLine) {
    element = document.createElement('textarea');
    element.value = row.text;
    element.classList.add(row.vScrollAlways ? 'scrolled' : 'unscrolled');
  } else if (row.kind === 'label' && buddies.has(row.name)) {
    element = document.createElement('label');
    element.htmlFor = buddies.get(row.name);
  } else {
    element = document.createElement(kindTags[row.kind]);
  }
  element.id = row.name;
  element.className += ` control ${row.kind}`;
  place(element, row, design);

  switch (row.kind) {
  case 'label':
    element.textContent = row.text;
    break;
  case 'textbox':
    if (!row.multiLine) {
      element.type = 'text';
      element.value = row.text;
      element.readOnly = row.readOnly;
    }
    if (row.longNumbers) {
      element.classList.add('long-numbers');
    }
    element.spellcheck = false;
    element.autocomplete = 'off';
    break;
  case 'button':
    element.type = 'button';
    element.textContent = row.text;
    break;
  case 'checkbox': {
    // The caption is the box's label, so clicking it ticks the box as on the desktop.
    const box = document.createElement('input');
    box.type = 'checkbox';
    box.id = `${row.name}.box`;
    element.append(box, document.createTextNode(row.text));
    break;
  }
  case 'vscrollbar':
    makeScrollBar(element, design.scroll);
    break;
  case 'picturebox':
    element.tabIndex = 0;
    element.setAttribute('role', row.sunkenBorder ? 'group' : 'img');
    if (row.sunkenBorder) {
      element.classList.add('sunken');
      element.style.borderWidth = `${design.sunkenBorder}px`;
    }
    break;
  }
  return element;
}

// Two arrows and nothing between them: at this height the desktop's bar has no room for a
// thumb either.
function makeScrollBar(element, range) {
  element.tabIndex = 0;
  element.setAttribute('role', 'scrollbar');
  element.setAttribute('aria-orientation', 'vertical');
  element.setAttribute('aria-valuemin', range.minimum);
  element.setAttribute('aria-valuemax', range.maximum);
  let value = range.initial;
  element.setAttribute('aria-valuenow', value);
  const up = document.createElement('div');
  const down = document.createElement('div');
  up.className = 'arrow up';
  down.className = 'arrow down';
  element.append(up, down);

  const step = delta => {
    const next = Math.min(range.maximum, Math.max(range.minimum, value + delta));
    if (next === value) {
      return;
    }
    value = next;
    element.setAttribute('aria-valuenow', value);
    element.dispatchEvent(new CustomEvent('change', {detail: value}));
  };
  up.addEventListener('mousedown', event => { event.preventDefault(); element.focus(); step(range.stepUp); });
  down.addEventListener('mousedown', event => { event.preventDefault(); element.focus(); step(-range.stepUp); });
  element.addEventListener('keydown', event => {
    const delta = {ArrowUp: range.stepUp, PageUp: range.stepUp, ArrowDown: -range.stepUp,
                   PageDown: -range.stepUp}[event.key];
    if (delta) {
      event.preventDefault();
      step(delta);
    }
  });
}

function buildWindow(design) {
  document.title = design.title;
  const client = document.getElementById('client');
  client.style.width = `${design.clientWidth}px`;
  client.style.height = `${design.clientHeight}px`;
  client.style.fontFamily = fontFamilies(design.font, design);
  client.style.fontSize = `${design.font.pixels}px`;

  const line = document.createElement('div');
  line.id = design.line.name;
  line.className = 'line';
  Object.assign(line.style, {left: `${design.line.x1}px`, top: `${design.line.y1}px`,
                             width: `${design.line.x2 - design.line.x1 + 1}px`});
  client.append(line);

  const buddies = new Map(design.accessible.filter(a => a.label).map(a => [a.label, a.control]));
  const controls = new Map();
  // In the order of the tab index, so that the Tab key follows it without indexes of its own.
  for (const row of [...design.controls].sort((l, r) => l.tabIndex - r.tabIndex)) {
    const element = makeControl(row, design, buddies);
    (row.container ? controls.get(row.container) : client).append(element);
    controls.set(row.name, element);
  }
  for (const names of Object.values(design.stacking)) {
    names.forEach((name, i) => { controls.get(name).style.zIndex = names.length - i; });
  }
  for (const a of design.accessible) {
    const element = focusTarget(controls.get(a.control));
    element.setAttribute('aria-label', a.name);
    if (a.describedBy) {
      element.setAttribute('aria-describedby', a.describedBy);
    }
  }

  // The message boxes in the window's font family, at the size of a message box's text.
  document.getElementById('message').style.fontFamily = client.style.fontFamily;

  const menu = document.getElementById('cmdinfo');
  menu.id = design.menuName;
  menu.textContent = design.menuText;
  menu.style.fontFamily = client.style.fontFamily;
  menu.style.fontSize = client.style.fontSize;
  return controls;
}

// The check box takes the focus itself, not the caption around it.
function focusTarget(control) {
  return control.classList.contains('checkbox') ? control.firstChild : control;
}

// A report box. Text areas keep line feeds; the library's report texts break lines with CR LF.
// A run extends the text many times between two frames, and every write lays out all of it
// again, so the text goes into the box once per frame, and before the user changes it.
class ReportBox {
  constructor(area) {
    this.area = area;
    this.pending = null;
    this.frame = 0;
    area.addEventListener('beforeinput', () => this.flush());
    area.addEventListener('focus', () => this.flush());
  }

  current() {
    return this.pending !== null ? this.pending : this.area.value;
  }

  text() {
    return this.current().replace(/\n/g, '\r\n');
  }

  set(text) {
    this.write(text.replace(/\r\n?/g, '\n'));
  }

  append(piece) {
    this.write(this.current() + piece.replace(/\r\n?/g, '\n'));
  }

  write(text) {
    this.pending = text;
    if (!this.frame) {
      this.frame = requestAnimationFrame(() => this.flush());
    }
  }

  flush() {
    cancelAnimationFrame(this.frame);
    this.frame = 0;
    if (this.pending !== null) {
      this.area.value = this.pending;
      this.pending = null;
    }
  }
}

// A one-line box. The desktop's box holds whatever is typed or pasted into it, line breaks
// included, and shows every control character but the tab as a blank; a browser's <input> can
// hold no line break and turns a pasted one into a blank or drops it, so that the warning for
// "1⏎2" would quote another text. The box's text is kept here, and the <input> shows it as the
// desktop does, character for character, so that a place in the one is the same place in the
// other.
const shownAs = text => text.replace(/[\0-\x08\n-\x1f\u2028\u2029\ufffc]/g, ' ');

class LineBox {
  constructor(input) {
    this.input = input;
    this.value = input.value;
    this.shown = input.value;
    this.pasting = false;
    // The last texts that showed otherwise than they were, by how they showed.
    this.held = new Map();
    input.addEventListener('paste', event => this.paste(event));
    input.addEventListener('input', event => this.edited(event));
  }

  text() {
    // What a script or the browser's autofill sets comes without an input event.
    if (this.input.value !== this.shown) {
      this.value = this.shown = this.input.value;
    }
    return this.value;
  }

  set(text) {
    this.value = text;
    this.shown = shownAs(text);
    this.input.value = this.shown;
  }

  paste(event) {
    if (this.input.readOnly) {
      return;
    }
    event.preventDefault();
    const text = event.clipboardData.getData('text/plain');
    const {selectionStart: start, selectionEnd: end} = this.input;
    const value = this.text().slice(0, start) + text + this.value.slice(end);
    // Inserted as typing is, so that the browser's undo takes the paste back in one step.
    this.pasting = true;
    const inserted = document.execCommand('insertText', false, shownAs(text));
    this.pasting = false;
    if (!inserted) {
      this.input.value = shownAs(value);
      this.input.setSelectionRange(start + text.length, start + text.length);
    }
    this.keep(value, this.input.value);
  }

  keep(value, shown) {
    this.value = value;
    this.shown = shown;
    if (value !== shown) {
      this.held.delete(shown);
      this.held.set(shown, value);
      if (this.held.size > 20) {
        this.held.delete(this.held.keys().next().value);
      }
    }
  }

  // An edit replaces one stretch of the shown text and leaves the caret after what it put
  // there; the characters before and after that stretch keep what they stand for.
  edited(event) {
    if (this.pasting) {
      return;
    }
    const now = this.input.value;
    if (event.inputType === 'historyUndo' || event.inputType === 'historyRedo') {
      // The browser's undo and redo bring back a text as it showed.
      this.keep(this.held.get(now) ?? now, now);
      return;
    }
    if (this.value === this.shown) {
      this.value = this.shown = now;
      return;
    }
    const caret = this.input.selectionEnd;
    const end = this.shown.length - (now.length - caret);
    let start = 0;
    while (start < caret && start < end && now[start] === this.shown[start]) {
      start++;
    }
    if (end < 0 || this.shown.slice(end) !== now.slice(caret)) {
      // Not one stretch (text dropped in, say): the text as shown.
      this.value = this.shown = now;
      return;
    }
    this.keep(this.value.slice(0, start) + now.slice(start, caret) + this.value.slice(end), now);
  }
}

function showMessage(kind, title, text) {
  const dialog = document.getElementById('message');
  dialog.className = kind;
  document.getElementById('message-title').textContent = title;
  document.getElementById('message-text').textContent = text;
  dialog.showModal();
}

function end() {
  ended = true;
  // A page may close only a window that a script opened; everywhere else it says it is done.
  window.close();
  document.getElementById('frmtripart').remove();
  document.getElementById('ended').hidden = false;
}

// Hands the library the page's window operations, checked first against the library's own list
// of those it calls: a missing or misspelt one stops the page at its start, with the names in
// the console, instead of failing at its first call, perhaps in the middle of a run.
Module.attachPage = page => {
  const called = Module.pageOperations();
  const missing = called.filter(name => typeof page[name] !== 'function');
  const unknown = Object.keys(page).filter(name => !called.includes(name));
  if (missing.length || unknown.length) {
    const message = 'The page does not implement the window operations the library calls: ' +
        [missing.length ? `missing ${missing.join(', ')}` : '',
         unknown.length ? `not called by the library ${unknown.join(', ')}` : ''].filter(Boolean).join('; ');
    console.error(message);
    throw new Error(message);
  }
  Module.attach(page);
};

function wire(controls, design) {
  const c = name => controls.get(name);
  const box = focusTarget(c('Check1'));
  const start = new LineBox(c('txtN(0)'));
  const input = new LineBox(c('Text4'));
  const result = new LineBox(c('Text5'));
  const list = new ReportBox(c('Text2'));
  const table = new ReportBox(c('Text1'));
  Module.turn = () => new Promise(resolve => {
    // After "Ende" the run never gets its turn back: it is abandoned where it stands.
    if (ended) {
      return;
    }
    const channel = new MessageChannel();
    channel.port1.onmessage = () => { if (!ended) resolve(); };
    channel.port2.postMessage(null);
  });
  // Nothing takes the focus when a run starts; a screen reader hears of it as the busy label
  // appears.
  c('Label2').setAttribute('role', 'alert');
  Module.attachPage({
    degenerateState: () => (box.checked ? 1 : 0),
    setBusy: visible => {
      c('Label2').hidden = !visible;
      if (!visible) {
        // A run's texts are all there when it ends.
        list.flush();
        table.flush();
      }
    },
    startText: () => start.text(),
    setStartText: text => start.set(text),
    listText: () => list.text(),
    setListText: text => list.set(text),
    appendListText: piece => list.append(piece),
    tableText: () => table.text(),
    setTableText: text => table.set(text),
    appendTableText: piece => table.append(piece),
    inputText: () => input.text(),
    setInputText: text => input.set(text),
    setResultText: text => result.set(text),
    showMessage,
  });

  c('Command1').addEventListener('click', () => Module.ccall('Command1_Click', null, [], [], {async: true}));
  c('Command2').addEventListener('click', end);
  c('Command3').addEventListener('click', () => Module._Command3_Click());
  c('VScroll1').addEventListener('change', event => {
    const text = Module._VScroll1_Change(event.detail);
    if (text) {
      start.set(UTF8ToString(text));
    }
  });
  document.getElementById(design.menuName).addEventListener(
      'click', () => showMessage('information', design.infoTitle, design.infoCredit));

  // The window's Tab order goes round within it, as on the desktop, instead of into the
  // browser's own bar.
  const order = [...document.querySelectorAll('#client input, #client textarea, #client button, #client [tabindex]')]
      .filter(e => e.tabIndex >= 0);
  const first = order[0];
  const last = order[order.length - 1];
  first.addEventListener('keydown', event => {
    if (event.key === 'Tab' && event.shiftKey) {
      event.preventDefault();
      last.focus();
    }
  });
  last.addEventListener('keydown', event => {
    if (event.key === 'Tab' && !event.shiftKey) {
      event.preventDefault();
      first.focus();
    }
  });
  // F10 reaches the menu bar, as on the desktop.
  document.addEventListener('keydown', event => {
    if (event.key === 'F10') {
      event.preventDefault();
      document.getElementById(design.menuName).focus();
    }
  });
}

Module.onRuntimeInitialized = () => {
  const design = Module.design();
  const controls = buildWindow(design);
  wire(controls, design);
  // Form_Load
  for (const name of design.hiddenAtLoad) {
    controls.get(name).hidden = true;
  }
  document.getElementById('frmtripart').hidden = false;
  controls.get('txtN(0)').focus();
  // When the window became usable, for whoever measures the page.
  document.documentElement.dataset.ready = performance.now().toFixed(1);
  const warmUp = step => (window.requestIdleCallback || setTimeout)(() => {
    if (!ended && Module._WarmUp(step)) {
      warmUp(step + 1);
    }
  });
  warmUp(0);
};
