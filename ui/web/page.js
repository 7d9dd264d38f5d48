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
  // language's data would hold the window back (10 to 20 ms at 计算, a
  // tenth of a second at start), and kept for the language, so that the
  // browser is asked once.
  // (No ?. nor ??: Emscripten's minifier does not know them.)
  let separator = '';
  const decimalSeparator = () => {
    if (separator) return separator;
    const key = `quillon.decimalSeparator.${navigator.language}`;
    let kept = null;
    try { kept = localStorage.getItem(key); } catch (error) { /* no storage: asked each time */ }
    separator = kept || new Intl.NumberFormat(navigator.language).formatToParts(0.5)
      .filter((part) => part.type === 'decimal').map((part) => part.value).join('') || '.';
    try { if (!kept) localStorage.setItem(key, separator); } catch (error) { /* as above */ }
    return separator;
  };

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

  let calculations = 0; // an outline still to come for an earlier 计算 is not shown
  // 计算 writes the boxes, and they are painted, before the outline is
  // begun: it follows in a task of its own once the browser has drawn
  // the frame, as the desktop windows show their boxes at once.
  box('Command1').addEventListener('click', () => moduleReady.then(() => {
    const asked = { beltType: beltType.value, teeth: box('Text1').value };
    const answer = call(_quillonCalculate, asked.beltType, asked.teeth, decimalSeparator());
    if (answer.startsWith('!')) {
      alert(answer.slice(1)); // no box is changed
      return;
    }
    for (const line of answer.split('\n').filter(Boolean)) {
      const [name, text] = line.split('\t');
      box(name).value = text;
      box(name).scrollLeft = 0;
    }
    const calculation = ++calculations;
    requestAnimationFrame(() => setTimeout(() => {
      if (calculation === calculations) showOutline(asked);
    }));
  }));

  // Below the window: the pulley's outline with its note, or the reason
  // there is none. The files are made when a download is clicked, for the
  // pulley of the last 计算.
  let shown = null;
  const urls = {};
  const objectUrl = (name, type, text) => {
    if (urls[name]) URL.revokeObjectURL(urls[name]);
    return (urls[name] = URL.createObjectURL(new Blob([text], { type })));
  };
  const showOutline = (asked) => {
    const [name, note, drawing] = call(_quillonOutlinePreview, asked.beltType, asked.teeth).split('\f');
    shown = name ? { beltType: asked.beltType, teeth: asked.teeth, name } : null;
    box('outline').hidden = false;
    box('outlineNote').textContent = note;
    box('outlineDrawing').hidden = !drawing;
    box('outlineFiles').hidden = !name;
    if (drawing) box('outlineDrawing').src = objectUrl('drawing', 'image/svg+xml', drawing);
  };
  const offerDownload = (id, format, type) => box(id).addEventListener('click', () => {
    if (!shown) return;
    // Named for the pulley as 计算 read it: "XL-20".
    const file = call(_quillonOutlineFile, shown.beltType, shown.teeth, format);
    Object.assign(box(id), { href: objectUrl(format, type, file), download: `${shown.name}.${format}` });
  });
  offerDownload('outlineDxf', 'dxf', 'application/dxf');
  offerDownload('outlineSvg', 'svg', 'image/svg+xml');
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
