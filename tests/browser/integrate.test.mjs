// Pages their owners wrote, given the menu by the program's own Integrate
// (through the fixture tool that ctest names in TAVEL_SITE_FIXTURE) and
// opened in Chromium before and after: each keeps its mode, its look, its
// own script and every byte outside what went in, and shows a working menu
// whose captions read right. With TAVEL_SHOTS naming a folder, screenshots
// of each page before and after go there.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";
import { axePath, launch, menuScript, open, templateFolder } from "./harness.mjs";

const tool = process.env.TAVEL_SITE_FIXTURE;
const skip = tool ? false : "run through ctest, which builds and names the site fixture tool";
const programFolder = path.dirname(templateFolder) + path.sep;
const shots = process.env.TAVEL_SHOTS;

// A menu with captions beyond ASCII, as a UTF-8 project holds it.
const top = "Caf\u00e9 \u00dcber", item = "\u00c9diteur na\u00eff";
const script = menuScript([["Home", "index.htm"], [top, [["L", item, "Texte", "editor.htm"], ["L", "Viewer", "", "viewer.htm"]]]]);

const pages = {
  "html5.htm": {
    encoding: "utf8",
    text: `<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Own page</title>
<style>
body { margin: 24px; font-family: Georgia, serif; background: #fdf6e3; color: #222; }
a:link { color: #1a0dab; } a:visited { color: #660099; } a:hover { color: #cc0000; }
</style>
<script>function onLoad() { document.body.dataset.ran = "yes"; }</script>
</head>
<body onload="onLoad()">
<main><h1>My own page</h1>
<p>Text with <a href="other.htm">a link of its own</a>.</p></main>
</body>
</html>
`,
  },
  "tutorial.xhtml": {
    encoding: "utf8",
    text: `<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Strict//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd">
<html xmlns="http://www.w3.org/1999/xhtml" xml:lang="en" lang="en">
<head>
<title>A tutorial</title>
</head>
<body onload="document.body.setAttribute('data-ran', 'yes')">
<h1>A tutorial</h1>
<p>Served as XML: one fault in the markup and nothing shows. <a href="next.xhtml">Next</a></p>
</body>
</html>
`,
  },
  "old.htm": {
    encoding: "utf8",
    text: `<HTML>
<HEAD><TITLE>Old page</TITLE></HEAD>
<BODY BGCOLOR="#ffffff" TEXT="#000000" LINK="#0000ee">
<TABLE><TR><TD><FONT SIZE=2>Old text in a table, <A HREF="a.htm">a link</A></FONT></TD></TR></TABLE>
</BODY>
</HTML>
`,
  },
  "latin1.htm": {
    encoding: "latin1",
    text: `<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN">\r
<html><head>\r
<meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1">\r
<title>\u00c7a va</title></head>\r
<body>\r
<p>D\u00e9j\u00e0 vu, na\u00efve caf\u00e9.</p>\r
</body></html>\r
`,
  },
};

// What went in: the links block, the style link with the script pair (as
// HTML or XML), and the menu's start in the body tag.
const scripts = '<script language="javascript" src="sys.js"></script><script language="javascript" src="temp.js"></script>';
const insertions = [/<!-- menu links: begin -->[^]*?<!-- menu links: end -->/, '<link rel=stylesheet href="stt.css" type="text/css">' + scripts,
  '<link rel="stylesheet" href="stt.css" type="text/css" />' + scripts, " onLoad=\"buildMenu('theMenu')\"", " onload=\"buildMenu('theMenu')\"",
  "buildMenu('theMenu');"];

let browser;
let work;
before(async () => {
  if (skip) return;
  browser = await launch();
  work = fs.mkdtempSync(path.join(os.tmpdir(), "tavel-integrate-"));
  fs.writeFileSync(path.join(work, "menu.js"), script);
});
after(async () => {
  if (skip) return;
  await browser.close();
  fs.rmSync(work, { recursive: true, force: true });
});

// The page's mode, the look of its body and of its own link, its text, and
// whether its own onload ran.
const ownPage = () => {
  const body = getComputedStyle(document.body), own = document.querySelector("p a, td a");
  return { mode: document.compatMode, margin: body.margin, font: body.fontFamily, background: body.backgroundColor,
    colour: body.color, link: own && getComputedStyle(own).color, text: document.querySelector("h1, p, td").textContent };
};

for (const [name, { encoding, text }] of Object.entries(pages)) {
  test(`${name} keeps its mode, look, script and bytes, and shows a working menu`, { skip }, async () => {
    const file = path.join(work, name);
    const original = Buffer.from(text, encoding);
    fs.writeFileSync(file, original);

    const first = await open(browser, pathToFileURL(file).href, {}, { menu: false });
    const was = await first.page.evaluate(ownPage);
    if (shots) await first.page.screenshot({ path: path.join(shots, `${name}-before.png`) });
    await first.context.close();

    assert.equal(execFileSync(tool, ["integrate", programFolder, file, path.join(work, "menu.js")], { encoding: "utf8" }), "\n");
    let rest = fs.readFileSync(file, "latin1");
    for (const piece of insertions) rest = rest.replace(piece, "");
    assert.ok(Buffer.from(rest, "latin1").equals(original), `${name} outside the insertions:\n${rest}`);

    const { page, errors, context } = await open(browser, pathToFileURL(file).href);
    assert.deepEqual(await page.evaluate(ownPage), was, `${name}: mode, look and text as before`);
    if (/html5|xhtml/.test(name)) assert.equal(await page.evaluate(() => document.body.getAttribute("data-ran")), "yes", `${name}: own onload`);

    // The menu works: its title opens its list, and the captions read right.
    await page.locator("nav.tvm > ul > li > a", { hasText: top }).click();
    const entry = page.locator("nav.tvm li li a", { hasText: item });
    assert.equal(await entry.isVisible(), true, `${name}: the opened list shows ${item}`);
    const shown = await page.evaluate(() => document.querySelector("nav.tvm").textContent);
    assert.ok(shown.includes(top) && shown.includes(item) && !shown.includes("\ufffd"), `${name}: captions in ${shown}`);

    // axe waits on timers of its own: the page's clock runs again.
    await page.clock.resume();
    await page.addScriptTag({ path: axePath });
    const { violations } = await page.evaluate(() => axe.run("nav.tvm", { runOnly: ["color-contrast"] }));
    assert.deepEqual(violations.map((v) => v.nodes.map((n) => n.target.join(" ") + " " + n.failureSummary)), [], `${name}: contrast`);
    if (shots) await page.screenshot({ path: path.join(shots, `${name}-after.png`) });
    assert.deepEqual(errors, [], name);
    await context.close();
  });
}
