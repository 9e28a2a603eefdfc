// Saving the chart as drawn, for a report: "保存 SVG" as a file of its own, with the font of "℃"
// and the page's font stack, and "保存 PNG" as that file drawn at twice its size.
"use strict";

// `drawn()` gives the view of the chart as drawn now (tarvelChartDrawing.view).
function tarvelChartSaving(svg, drawn) {
  function standalone() {
    const view = drawn();
    const copy = svg.cloneNode(true);
    copy.setAttribute("xmlns", tarvelChartDrawing.SVG);
    copy.setAttribute("width", view.width);
    copy.setAttribute("height", view.height);
    copy.style.fontFamily = getComputedStyle(svg).fontFamily;
    copy.prepend(tarvelChartDrawing.element("style", {}, tarvelUnitsFont));
    // A name may hold characters that XML cannot (NUL and the other controls but tab and line
    // breaks, U+FFFE, U+FFFF): written as they are, they would make the file unreadable and the
    // PNG, drawn from it, fail. Each becomes U+FFFD, the replacement character.
    return new XMLSerializer().serializeToString(copy)
      .replace(/[\u0000-\u0008\u000B\u000C\u000E-\u001F\uFFFE\uFFFF]/g, "\uFFFD");
  }

  function saveSvg() {
    tarvelDownload("tarvel-chart.svg", new Blob([standalone()], { type: "image/svg+xml" }));
  }

  // Drawn at twice its size on the page, for a sharp picture in a report.
  function savePng() {
    const view = drawn();
    const image = new Image();
    image.addEventListener("load", () => {
      const canvas = document.createElement("canvas");
      canvas.width = view.width * 2;
      canvas.height = view.height * 2;
      canvas.getContext("2d").drawImage(image, 0, 0, canvas.width, canvas.height);
      canvas.toBlob((blob) => tarvelDownload("tarvel-chart.png", blob), "image/png");
    }, { once: true });
    image.src = "data:image/svg+xml;charset=utf-8," + encodeURIComponent(standalone());
  }

  document.getElementById("chart-save-svg").addEventListener("click", saveSvg);
  document.getElementById("chart-save-png").addEventListener("click", savePng);
}
