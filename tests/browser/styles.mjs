// The styles shipped in data/Styles/Provided, applied to a copy of the
// template folder the way the program applies them: the style sheet
// replaces stt.css, and the style file's values go by position into the
// runtime's slot lines 12 to 26.
import fs from "node:fs";
import path from "node:path";
import { fileURLToPath } from "node:url";
import { fileLines, project, slotLine, templateFolder } from "./harness.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
export const stylesFolder = path.resolve(here, "../../data/Styles/Provided");
export const shippedStyles = ["Hot summer", "Green spring", "Terminal Frost", "Pink Angel", "Dark style",
  "Serious menu", "Inferno"];

// The runtime lines a style rewrites, by line number: each line with "="
// among 12 to 26 is the next slot k, and takes the value of style-file line
// k + 1 (what follows its first "="), quoted for slots 5 to 10 and 13.
export function styleSlotLines(name) {
  const style = fileLines(path.join(stylesFolder, `${name}.tvs`));
  const runtime = fileLines(path.join(templateFolder, "sys.js"));
  const out = {};
  let slot = 0;
  for (let number = 12; number <= 26; number++) {
    if (!runtime[number - 1].includes("=")) continue;
    if (++slot > 13) break;
    const line = style[slot];
    const value = line.includes("=") ? line.slice(line.indexOf("=") + 1) : line;
    out[number] = slotLine(number, value, (slot >= 5 && slot <= 10) || slot === 13);
  }
  return out;
}

export function styleSheet(name) {
  return fs.readFileSync(path.join(stylesFolder, `${name}.css`), "latin1");
}

// A template project restyled with the shipped style `name`.
export function styledProject(name) {
  return project({ lines: styleSlotLines(name), files: { "stt.css": styleSheet(name) } });
}
