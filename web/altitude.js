// "海拔 (m)": beside the window, the pressure of the standard atmosphere at the altitude typed,
// computed by the core (p = 101.325 · (1 − 2.25577 × 10⁻⁵ · Z)^5.2559 kPa, to three decimals),
// written into the pressure field only when the user asks for it.
"use strict";

// `page` gives the core (tarvelHandover's) and the pressure field.
function tarvelAltitude(page) {
  const form = document.getElementById("altitude");
  const input = document.getElementById("altitude-metres");
  const status = document.getElementById("altitude-status");
  const core = page.core;
  const PRESSURE = core.entries("altitudeTexts", "pressure").pressure;

  form.addEventListener("submit", (event) => {
    event.preventDefault();
    core.give(input.value);
    core.call("altitude");
    const pressure = core.texts()[PRESSURE];
    if (pressure === "") {
      status.textContent = "此海拔没有标准大气压力（须低于约 44 330 m）";
      return;
    }
    status.textContent = "";
    page.pressureField.value = pressure;
    // As if typed: the chart follows the pressure field.
    page.pressureField.dispatchEvent(new Event("input", { bubbles: true }));
  });
}
