// The page's script: moves texts between the boxes and the module, as the
// desktop windows' three handlers do. It runs as the module starts to load,
// so that the window takes input at once; a click on 计算 is answered as soon
// as the module is ready, some tens of milliseconds later at most.
(() => {
  const moduleReady = new Promise((resolve) => { Module.onRuntimeInitialized = resolve; });
  const box = (name) => document.getElementById(name);
  const beltType = box('Combo1').querySelector('input');
  const list = box('Combo1').querySelector('select');
  // The decimal separator of the browser's language, as the desktop windows
  // take the locale's; asked for at the first 计算, since loading the
  // language's data would hold the window back by a tenth of a second.
  // (No ?. nor ??: Emscripten's minifier does not know them.)
  let separator = '';
  const decimalSeparator = () => separator || (separator = new Intl.NumberFormat(navigator.language)
    .formatToParts(0.5).filter((part) => part.type === 'decimal').map((part) => part.value).join('') || '.');

  // A text handed to the module in memory of its own: a pasted text of
  // millions of characters would not fit the stack.
  const call = (fn, ...texts) => {
    const pointers = texts.map((text) => {
      const size = lengthBytesUTF8(text) + 1;
      const at = _malloc(size);
      stringToUTF8(text, at, size);
      return at;
    });
    const answer = UTF8ToString(fn(...pointers));
    pointers.forEach(_free);
    return answer;
  };

  // The list shows no entry of its own: what the field shows is the belt
  // type, and picking the same entry again still counts.
  list.selectedIndex = -1;
  list.addEventListener('change', () => {
    beltType.value = list.value;
    list.selectedIndex = -1;
    beltType.focus();
  });
  beltType.addEventListener('keydown', (event) => {
    if ((event.altKey && event.key === 'ArrowDown') || event.key === 'F4') {
      event.preventDefault();
      if (list.showPicker) list.showPicker();
    }
  });

  box('Command1').addEventListener('click', () => moduleReady.then(() => {
    const answer = call(_quillonCalculate, beltType.value, box('Text1').value, decimalSeparator());
    if (answer.startsWith('!')) {
      alert(answer.slice(1)); // no box is changed
      return;
    }
    for (const line of answer.split('\n').filter(Boolean)) {
      const [name, text] = line.split('\t');
      box(name).value = text;
      box(name).scrollLeft = 0;
    }
    showOutline(call(_quillonOutline, beltType.value, box('Text1').value));
  }));

  // Below the window: the pulley's outline with its note and its files, or
  // the reason there is none.
  const dataUrl = (type, text) => `data:${type};charset=utf-8,${encodeURIComponent(text)}`;
  const showOutline = (answer) => {
    const [note, svg, dxf] = answer.replace(/^!/, '').split('\f');
    box('outline').hidden = false;
    box('outlineNote').textContent = note;
    box('outlineDrawing').hidden = box('outlineFiles').hidden = !svg;
    if (!svg) return;
    // Named for the pulley, "XL-20"; the tooth-count text may hold blanks.
    const teeth = box('Text1').value.replace(/\s+/g, '').slice(0, 20);
    const name = `${beltType.value}-${teeth}`.replace(/[^\w.-]+/g, '_');
    box('outlineDrawing').src = dataUrl('image/svg+xml', svg);
    Object.assign(box('outlineSvg'), { href: dataUrl('image/svg+xml', svg), download: `${name}.svg` });
    Object.assign(box('outlineDxf'), { href: dataUrl('application/dxf', dxf), download: `${name}.dxf` });
  };
  box('Command2').addEventListener('click', () => window.print());
  box('Command3').addEventListener('click', () => {
    window.close();
    // A tab the user opened may not be closed by its page: the window goes
    // all the same, and the page says so.
    setTimeout(() => {
      box('Form1').hidden = true;
      box('ended').hidden = false;
    }, 50);
  });
  // For tests and the start-up benchmark: input taken, and 计算 answered.
  box('Form1').dataset.ready = '';
  moduleReady.then(() => { box('Form1').dataset.calculates = ''; });
})();
