// Opening a weather file: chosen with the file input or dropped on the panel, read in the browser
// with a FileReader and handed on as bytes. The file is sent nowhere.
"use strict";

// `input` is the file input, `zone` the element a file may be dropped on; open(name, bytes) gets
// each file read, refuse(text) what stopped one.
function tarvelClimateFile(input, zone, open, refuse) {
  // A year of hours is 1.5 MB as EPW, thirty years about 45 MB; a file larger than this is no
  // weather file the page could hold in its memory.
  const MOST_BYTES = 128 * 1024 * 1024;

  function read(file) {
    if (file.size > MOST_BYTES) {
      refuse("文件太大（超过 128 MB），不是可以读入的气象文件");
      return;
    }
    const reader = new FileReader();
    reader.addEventListener("load", () => open(file.name, new Uint8Array(reader.result)));
    reader.addEventListener("error", () => refuse("无法读取这个文件"));
    reader.readAsArrayBuffer(file);
  }

  input.addEventListener("change", () => {
    if (input.files.length > 0) read(input.files[0]);
    // The same file chosen again is read again.
    input.value = "";
  });

  zone.addEventListener("dragover", (event) => {
    event.preventDefault();
    zone.classList.add("dropping");
  });
  zone.addEventListener("dragleave", () => zone.classList.remove("dropping"));
  zone.addEventListener("drop", (event) => {
    event.preventDefault();
    zone.classList.remove("dropping");
    const files = event.dataTransfer ? event.dataTransfer.files : [];
    if (files.length === 1) read(files[0]);
    else refuse(files.length === 0 ? "拖入的不是文件" : "一次只能打开一个气象文件");
  });
}
