// The page: the window's commands on the codec (Module, compiled from src/codec), entirely in
// the browser. Texts, captions and messages are the window's own.
"use strict";
const Page = (() => {
  const $ = (id) => document.getElementById(id);
  const startFore = { r: 60, g: 60, b: 60 };
  const startBack = { r: 255, g: 255, b: 255 };
  const state = { codec: null, size: 8.25, fore: { ...startFore }, back: { ...startBack }, pixels: null, busy: false };

  // A message box: the text, a title ("Huecipher" when none), buttons; resolves to the one pressed.
  // With input, the box asks for a text and resolves to it (null when cancelled).
  function ask(text, { title = "Huecipher", buttons = ["OK"], input = false, value = "" } = {}) {
    const dialog = $("message");
    $("messageTitle").textContent = title;
    $("messageText").textContent = text;
    const place = $("messageButtons");
    place.textContent = "";
    let field = null;
    if (input) {
      field = document.createElement("input");
      field.type = "text";
      field.value = value;
      field.setAttribute("aria-label", text);
      place.append(field);
    }
    for (const caption of buttons) {
      const b = document.createElement("button");
      b.value = caption;
      b.textContent = caption;
      place.append(b);
    }
    $("status").textContent = text;
    return new Promise((resolve) => {
      dialog.addEventListener("close", () => {
        const pressed = dialog.returnValue;
        resolve(input ? (pressed === "OK" ? field.value : null) : pressed);
      }, { once: true });
      dialog.returnValue = "";
      dialog.showModal();
      (field || place.querySelector("button")).focus();
    });
  }
  const tell = (text, title) => ask(text, { title });
  const askYesNo = async (text, title) => (await ask(text, { title, buttons: ["Yes", "No"] })) === "Yes";
  const askName = async (prompt) => {
    const answer = await ask(prompt, { buttons: ["OK", "Cancel"], input: true });
    return answer === null || answer.trim() === "" ? null : answer;
  };

  const hex = (c) => "#" + [c.r, c.g, c.b].map((v) => v.toString(16).padStart(2, "0")).join("");
  const rgb = (h) => ({ r: parseInt(h.slice(1, 3), 16), g: parseInt(h.slice(3, 5), 16), b: parseInt(h.slice(5, 7), 16) });

  function showColours() {
    const text = $("Text1");
    text.style.color = hex(state.fore);
    text.style.background = hex(state.back);
    $("ForeColorLabel").value = hex(state.fore);
    $("BackColorLabel").value = hex(state.back);
  }

  // The text box at a size, in the face made for its pixel size (points at 96 dpi, whole pixels
  // as the window's font engine takes them); the menu checks the size it names (the start size
  // 8.25 is "8 Pixels").
  function showSize(points) {
    state.size = points;
    const pixels = Math.round(points * 96 / 72);
    $("Text1").style.fontFamily = `TextBox${pixels}, "Liberation Sans", Arial, sans-serif`;
    $("Text1").style.fontSize = pixels + "px";
    const checked = points === 8.25 ? 0 : Math.round(points) - 8;
    for (let i = 0; i <= 4; ++i)
      $("LetGrote_" + i).setAttribute("aria-checked", String(i === checked));
  }

  // Only Windows-1252 enters the box: anything else becomes "?", and the user is told.
  function checkText() {
    const text = $("Text1");
    const box = state.codec.boxText(text.value);
    if (box.replaced > 0) {
      const at = text.selectionStart;
      text.value = box.text.replace(/\r\n/g, "\n");
      text.selectionStart = text.selectionEnd = Math.min(at, text.value.length);
      $("status").textContent = box.replaced + ' character(s) outside Windows-1252 became "?"';
    }
    $("Label3").textContent = box.characters.toLocaleString("en-US") + " / 65.000 Characters";
    return box;
  }

  // The lines the text box displays, without line breaks: every paragraph laid out in a hidden
  // copy of the box (same face, size, width and wrapping), broken where its characters move down
  // to the next line. Each paragraph has an element of its own, so that measuring in it costs
  // what the paragraph costs, and each break is found by halving.
  function displayedLines() {
    const box = $("Text1");
    const copy = $("Lines");
    const style = getComputedStyle(box);
    copy.style.fontFamily = style.fontFamily;
    copy.style.fontSize = style.fontSize;
    copy.style.width = style.width;  // the width its text takes, inside the scroll bar
    const paragraphs = box.value.split("\n");
    const elements = document.createDocumentFragment();  // appended one by one: a text may hold a million paragraphs
    for (const paragraph of paragraphs)
      elements.appendChild(document.createElement("div")).textContent = paragraph;
    copy.replaceChildren(elements);
    const range = document.createRange();
    const lines = [];
    paragraphs.forEach((paragraph, index) => {
      const node = copy.children[index].firstChild;
      const top = (i) => {
        range.setStart(node, i);
        range.setEnd(node, i + 1);
        return range.getBoundingClientRect().top;
      };
      const end = paragraph.length;
      let from = 0;
      while (from < end && top(end - 1) > top(from) + 0.5) {
        const lineTop = top(from);
        let low = from + 1, high = end - 1;  // the first character below the line lies in low..high
        while (low < high) {
          const middle = (low + high) >> 1;
          if (top(middle) > lineTop + 0.5)
            high = middle;
          else
            low = middle + 1;
        }
        lines.push(paragraph.slice(from, low));
        from = low;
      }
      lines.push(paragraph.slice(from));
    });
    copy.replaceChildren();
    return lines;
  }

  function showPicture(pixels) {
    state.pixels = pixels;
    const canvas = $("Pic");
    const context = canvas.getContext("2d");
    if (!pixels) {
      context.clearRect(0, 0, canvas.width, canvas.height);
      canvas.setAttribute("aria-label", "Coded picture: none");
      return;
    }
    context.putImageData(new ImageData(new Uint8ClampedArray(pixels), 200, 120), 0, 0);
    canvas.setAttribute("aria-label", "Coded picture: holds a coded text");
  }

  // The picture shown, as RGBA; a white picture when there is none.
  const shownPixels = () => state.pixels || new Uint8Array(200 * 120 * 4).fill(255);

  function download(bytes, name) {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  const baseName = (name) => name.replace(/\.[^.]*$/, "");
  const announce = (text) => { $("status").textContent = text; };

  async function textToPicture() {
    const box = checkText();
    if ($("Text1").value === "")
      return tell("No text available!");
    if (box.lost > 0) {
      const question = box.lost === 1
        ? "1 character of this text will not come back from the picture, code anyway?"
        : box.lost.toLocaleString("en-US") + " characters of this text will not come back from the picture, code anyway?";
      if (!(await askYesNo(question)))
        return;
    }
    showPicture(state.codec.encode($("Text1").value, state.size, state.fore, state.back));
    announce("The text is coded into the picture.");
  }

  function pictureToText() {
    const d = state.codec.decode(shownPixels());
    $("Text1").value = d.text.replace(/\r\n/g, "\n");
    state.fore = d.fore;
    state.back = d.back;
    showColours();
    showSize(d.textSize);
    checkText();
    announce("The picture is decoded into the text.");
  }

  async function openPicture(file) {
    if (file.size > state.codec.maxPictureBytes)
      return tell("No valid Glyphix picture!", "Error");
    const opened = state.codec.openPicture(new Uint8Array(await file.arrayBuffer()));
    if (!opened.ok)
      return tell("No valid Glyphix picture!", "Error");
    showPicture(opened.pixels);
    $("FileLabel").textContent = baseName(file.name);
    $("Text1").value = "";
    checkText();
    announce("The picture " + file.name + " is opened.");
  }

  async function openText(file) {
    if (file.size > state.codec.maxTextBytes)
      return tell("The text file could not be read!\n" + file.name + "\ntoo large: " + file.size.toLocaleString("en-US")
                  + " bytes (at most " + state.codec.maxTextBytes.toLocaleString("en-US") + ")", "Error");
    const text = state.codec.openText(new Uint8Array(await file.arrayBuffer()));
    $("Text1").value = text.replace(/\r\n/g, "\n");
    $("FileLabel").textContent = baseName(file.name);
    checkText();
    announce("The text " + file.name + " is opened.");
  }

  function openFile(file) {
    if (/.\.hqc$/i.test(file.name))
      return openPicture(file);
    if (/.\.txt$/i.test(file.name))
      return openText(file);
    return tell("Only coded pictures (.hqc) and text files (.txt) can be opened.", "Error");
  }

  async function savePicture() {
    const name = await askName("Enter a name for this picture...");
    if (name !== null) {
      download(state.codec.pictureFile(shownPixels()), name + ".hqc");
      announce("The picture " + name + ".hqc is saved.");
    }
  }

  // The text file holds the lines the box displays, each ended by CR LF, as the window writes it.
  async function saveText() {
    const name = await askName("Enter a name for this Text file...");
    if (name !== null) {
      download(state.codec.textFile(displayedLines()), name + ".txt");
      announce("The text " + name + ".txt is saved.");
    }
  }

  // The PDF document of the lines the box displays, written by the program's own PDF writer.
  async function exportPdf() {
    if ($("Text1").value.replace(/^ +| +$/g, "") === "")
      return;  // nothing to export, and nothing said, as the window does
    const name = await askName("Enter a name for this PDF document...");
    if (name === null)
      return;
    download(state.codec.pdfDocument(displayedLines()), name + ".pdf");
    announce("The PDF document " + name + ".pdf is saved.");
  }

  async function newText() {
    if (!(await askYesNo("Do you want to create a new text?", "New")))
      return;
    $("Text1").value = "";
    showPicture(null);
    $("FileLabel").textContent = "Filename";
    checkText();
  }

  function specialCharacters() {
    return tell(state.codec.toolsTexts().specialCharacters.replace(/\r\n/g, "\n"), "Special Characters");
  }

  // The mail program with a prepared message; the user attaches a picture by hand.
  async function sendByEmail() {
    const recipient = await ask("Enter the E-mail address to which you want to send a message...",
                                { title: " Send message", buttons: ["OK", "Cancel"], input: true,
                                  value: state.codec.toolsTexts().makerEmailAddress });
    if (recipient)
      window.location.href = state.codec.mailUrl(recipient);
  }

  function chooseFile(input) {
    input.value = "";
    input.click();
  }

  function connect() {
    const commands = {
      Image1: textToPicture, Image2: pictureToText, Image4: exportPdf, ResetKnop: () => {
        state.fore = { ...startFore };
        state.back = { ...startBack };
        showColours();
      },
      FileIndex_0: newText, FileIndex_2: () => chooseFile($("OpenPicture")), FileIndex_3: savePicture,
      FileIndex_5: () => chooseFile($("OpenText")), FileIndex_6: saveText,
      BijzondereTekens: specialCharacters, Verzenden: sendByEmail,
    };
    for (const [id, run] of Object.entries(commands))
      $(id).addEventListener("click", () => {
        for (const menu of document.querySelectorAll("#menu details"))
          menu.open = false;
        run();
      });
    for (let i = 0; i <= 4; ++i)
      $("LetGrote_" + i).addEventListener("click", () => {
        $("Lettergrootte").open = false;
        showSize(8 + i);
      });
    $("OpenPicture").addEventListener("change", (e) => e.target.files[0] && openPicture(e.target.files[0]));
    $("OpenText").addEventListener("change", (e) => e.target.files[0] && openText(e.target.files[0]));
    $("Text1").addEventListener("input", checkText);
    $("ForeColorLabel").addEventListener("input", (e) => { state.fore = rgb(e.target.value); showColours(); });
    $("BackColorLabel").addEventListener("input", (e) => { state.back = rgb(e.target.value); showColours(); });
    document.addEventListener("dragover", (e) => e.preventDefault());
    document.addEventListener("drop", (e) => {
      e.preventDefault();
      const files = e.dataTransfer.files;
      if (files.length !== 1)
        return tell("Only coded pictures (.hqc) and text files (.txt) can be opened. Drop one file at a time.", "Error");
      openFile(files[0]);
    });
  }

  return {
    start(codec) {
      state.codec = codec;
      $("MeerSoftware").href = codec.toolsTexts().makerWebPage;
      // The box's text is as wide as the window's, whatever the width of this browser's scroll bar.
      const box = $("Text1");
      document.documentElement.style.setProperty("--scroll-bar", box.offsetWidth - box.clientWidth + "px");
      connect();
      showColours();
      showSize(8.25);
      checkText();
      document.body.dataset.ready = "true";
    },
  };
})();
var Module = { onRuntimeInitialized() { Page.start(Module); } };
