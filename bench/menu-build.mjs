// Times buildMenu for a three-level menu of 1,000 items in headless
// Chromium: the median over 15 page loads, after two warm-up loads.
// Usage: node bench/menu-build.mjs   (after npm ci in tests/browser)
import { launch, project } from "../tests/browser/harness.mjs";

function script(items) {
  const lines = ["var theMenu = new Array();"];
  let made = 0, k = 0;
  for (let t = 0; made < items; t++) {
    lines.push(`theMenu[${t}] = new Array("Section ${t}", "myMenu${k}");`, `var myMenu${k} = new Array();`);
    made++;
    for (let c = 0; c < 10 && made < items; c++) {
      const name = `myMenu${t}_${c}`;
      lines.push(`myMenu${k}[${c}] = new Array("M","Group ${made}","Hint","${name}");`, `var ${name} = new Array();`);
      made++;
      for (let i = 0; i < 8 && made < items; i++, made++)
        lines.push(`${name}[${i}] = new Array("L","Page ${made}","Hint ${made}","page${made}.htm");`);
    }
    k++;
  }
  return lines.join("\r\n") + "\r\n";
}

// The page times the build it makes when it loads, style and layout
// included, as a visitor's browser would do it once. It starts the build
// from a load listener, not from the body's onLoad attribute: a page that
// names buildMenu there has its menu drawn as soon as the holder is parsed,
// and the call on load then only keeps it.
const page = `<!DOCTYPE html><html><head><title>Bench</title><link rel="stylesheet" href="stt.css">
<script src="sys.js"></script><script src="temp.js"></script></head>
<body><div id="menuHolder"></div><script>addEventListener("load", function () {
var t = performance.now(); buildMenu('theMenu'); document.body.offsetHeight; window.buildMs = performance.now() - t; });</script>
</body></html>`;
const site = project({ files: { "temp.js": script(1000), "bench.htm": page } });
const browser = await launch();
const tab = await browser.newPage();
const times = [];
for (let i = 0; i < 17; i++) {
  await tab.goto(site.url("bench.htm"));
  await tab.waitForFunction(() => window.buildMs !== undefined);
  times.push(await tab.evaluate(() => window.buildMs));
}
const count = await tab.evaluate(() => document.querySelectorAll("nav.tvm a").length);
const runs = times.slice(2).sort((a, b) => a - b);
console.log(`items drawn: ${count}`);
console.log(`buildMenu on page load, 1,000 items: median ${runs[7].toFixed(1)} ms (min ${runs[0].toFixed(1)}, max ${runs[14].toFixed(1)}, 15 loads)`);
await browser.close();
