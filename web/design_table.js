// The table of the design (<table id="design-states">): one row per point as the core writes it
// (its name, the six parameters as the fields show them, the specific volume, the inputs, the
// process with its flows, the messages), each with a button that removes the point. Every cell is
// text: a name or a text from a link or a request is never read as markup.
"use strict";

// `table` is the <table>; remove(index) removes the point of that row.
function tarvelDesignTable(table, remove) {
  // Longer than any figure of a design that makes sense: wrapped in its column (panels.css).
  const LONG_FIGURE = 24;
  const head = table.tHead || table.createTHead();
  const body = table.tBodies[0] || table.createTBody();

  function cell(tag, text) {
    const element = document.createElement(tag);
    element.textContent = text;
    return element;
  }

  function header(columns) {
    const row = document.createElement("tr");
    for (const { name, unit } of columns) {
      const th = cell("th", name);
      th.scope = "col";
      if (unit) th.append(document.createElement("br"), cell("span", unit));
      row.append(th);
    }
    row.append(cell("th", "删除"));
    head.replaceChildren(row);
  }

  body.addEventListener("click", (event) => {
    const button = event.target.closest("button[data-index]");
    if (button) remove(Number(button.dataset.index));
  });

  return {
    // Shows the core's table ({columns, rows}, tarvelDesignCore's table()).
    show({ columns, rows }) {
      if (head.rows.length === 0) header(columns);
      const messages = columns.length - 1;
      body.replaceChildren(...rows.map((cells, index) => {
        const row = document.createElement("tr");
        if (cells[messages] !== "") row.className = "has-message";
        const [name, ...rest] = cells;
        const nameCell = cell("th", name);
        nameCell.scope = "row";
        row.append(nameCell, ...rest.map((text) => {
          const td = cell("td", text);
          if (text.length > LONG_FIGURE && /^-?\d+(\.\d+)?$/.test(text)) td.className = "long-figure";
          return td;
        }));
        const button = cell("button", "删除");
        button.type = "button";
        button.dataset.index = index;
        button.setAttribute("aria-label", "删除状态点 " + name);
        const last = document.createElement("td");
        last.append(button);
        row.append(last);
        return row;
      }));
    },
  };
}
