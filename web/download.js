// Saving a file the page made (the chart's SVG and PNG, a design's CSV): the browser's download
// of a blob under a name.
"use strict";

const tarvelDownload = (() => {
  let url = null;
  return function download(name, blob) {
    if (url !== null) URL.revokeObjectURL(url);
    url = URL.createObjectURL(blob);
    const link = Object.assign(document.createElement("a"), { href: url, download: name });
    document.body.append(link);
    link.click();
    link.remove();
  };
})();
