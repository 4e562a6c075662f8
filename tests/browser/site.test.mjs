// Sites made by Create site and pages made by Integrate, opened in Chromium.
// The pages are written by the program's own core through the fixture tool
// that ctest names in TAVEL_SITE_FIXTURE.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { execFileSync, spawnSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";
import { axePath, eventually, launch, open, project, serve, templateFolder } from "./harness.mjs";

const tool = process.env.TAVEL_SITE_FIXTURE;
const skip = tool ? false : "run through ctest, which builds and names the site fixture tool";
const programFolder = path.dirname(templateFolder) + path.sep;

let browser;
let work;
before(async () => {
  if (skip) return;
  browser = await launch();
  work = fs.mkdtempSync(path.join(os.tmpdir(), "tavel-site-"));
});
after(async () => {
  if (skip) return;
  await browser.close();
  fs.rmSync(work, { recursive: true, force: true });
});

// Creates a site from the template's menu, or from the menu data script `script`.
function createSite(mode, name = mode, script) {
  const folder = path.join(work, name);
  const said = execFileSync(tool, ["site", programFolder, folder, mode, ...(script ? [script] : [])], { encoding: "utf8" }).trim();
  const pages = fs.readdirSync(folder).filter((f) => f.endsWith(".htm") && f !== "index.htm").sort();
  return { folder, said, pages, url: (file) => pathToFileURL(path.join(folder, file)).href };
}

// Follows the link of a title or item of the menu by its caption, and waits
// for the page it leads to.
async function follow(page, caption, file) {
  await page.locator("nav.tvm a", { hasText: caption }).click();
  await page.waitForURL(new RegExp(`/${file}$`));
  await page.waitForSelector("nav.tvm");
}

test("sites with named and digit pages: every page shows one menu, and its links reach the other pages", { skip }, async () => {
  const named = createSite("link"), digits = createSite("digit");
  // The template's Home item links the project's own page, which the
  // project save writes; it is named as skipped.
  assert.match(named.said, /^Site succesfully created!\n\n1 item got no page: its link is not a plain page name[^]*Home \("index\.htm"\)/);
  assert.deepEqual(named.pages, ["advanced.htm", "beginners.htm", "company.htm", "consulting.htm", "contact.htm",
    "converter.htm", "downloads.htm", "editor.htm", "hardware.htm", "news.htm", "support.htm", "viewer.htm"]);
  assert.equal(digits.said, "Site succesfully created!");
  for (const [site, form] of [[named, /^[a-z]+\.htm$/], [digits, /^tavelitem\d+\.htm$/]]) {
    for (const file of site.pages) {
      const { page, errors, context } = await open(browser, site.url(file));
      // Submenus are filled when first opened or when the page is idle.
      await page.waitForFunction(() => Object.keys(document.querySelector("nav.tvm").tvmLists).length === 0);
      const seen = await page.evaluate(() => ({ navs: document.querySelectorAll("nav.tvm").length, charset: document.characterSet,
        links: [...document.querySelectorAll("nav.tvm a[href]")].map((a) => a.getAttribute("href")) }));
      assert.deepEqual([seen.navs, seen.charset, seen.links.length, errors], [1, "UTF-8", 13, []], file);
      for (const link of seen.links) assert.ok(form.test(link) && fs.existsSync(path.join(site.folder, link)), `${file} links ${link}`);
      await context.close();
    }
  }

  // Followed by hand: from one page through a submenu to another, and home.
  const { page, errors, context } = await open(browser, named.url("editor.htm"));
  assert.equal(await page.title(), "Shop Software :: Editor");
  await page.locator("nav.tvm > ul > li > a", { hasText: "About us" }).click();
  await follow(page, "Contact", "contact.htm");
  assert.equal(await page.title(), "Shop About us :: Contact");
  await page.goto(digits.url("tavelitem3.htm"));
  assert.equal(await page.title(), "Shop Software :: Editor");
  await follow(page, "Home", "tavelitem0.htm");
  // A top-level item has no parent for the first part; the browser folds
  // the two spaces that leaves.
  assert.equal(await page.title(), "Shop :: Home");
  assert.match(fs.readFileSync(path.join(digits.folder, "tavelitem0.htm"), "utf8"), /<title>Shop :: Home<\/title>/);
  assert.deepEqual(errors, []);
  await context.close();
});

test("an integrated plain page shows the menu and keeps its own content", { skip }, async () => {
  const folder = path.join(work, "plain");
  fs.mkdirSync(folder);
  const file = path.join(folder, "page.htm");
  fs.writeFileSync(file, "<HTML>\n<HEAD><TITLE>My page</TITLE></HEAD>\n<BODY>\n<h1 id=\"own\">My own heading</h1>\n" +
    "<p>Text of my own.</p>\n</BODY>\n</HTML>\n");
  // The page declares no encoding, which the menu's plain ASCII does not mind.
  for (let run = 0; run < 2; run++) assert.equal(execFileSync(tool, ["integrate", programFolder, file], { encoding: "utf8" }), "\n");
  assert.equal(fs.readFileSync(file, "latin1").split(begin).length, 2, "one list of links after the second Integrate");
  for (const name of ["temp.js", "stt.css", "sys.js"]) assert.ok(fs.existsSync(path.join(folder, name)), name);

  const { page, errors, context } = await open(browser, pathToFileURL(file).href);
  assert.deepEqual(await page.evaluate(() => [document.title, document.querySelector("#own").textContent, document.querySelector("p").textContent,
    document.querySelectorAll("nav.tvm").length, document.querySelectorAll("nav.tvm > ul > li").length]), ["My page", "My own heading", "Text of my own.", 1, 4]);
  await page.locator("nav.tvm > ul > li > a", { hasText: "Products" }).click();
  assert.equal(await page.locator("nav.tvm a", { hasText: "Hardware" }).isVisible(), true);
  assert.deepEqual(errors, []);
  await context.close();
});

test("any value the program writes into a style slot, a scheme line or a gap reads back as typed, and the menu draws", { skip }, async () => {
  const odd = ["*/", "*\\/", "/* open", '"', "\\", "'", "</script>", "${x}`", "a\u2028b", "x');alert(1);('", '*/ "\\ **/'];
  for (const value of odd) {
    const folder = fs.mkdtempSync(path.join(work, "odd-"));
    execFileSync(tool, ["runtime", programFolder, folder, value]);
    // A style file's values go into the slots; Page Design writes a scheme's lines and both gaps.
    for (const [file, gap] of [["style.js", ""], ["design.js", `<b>${value}</b>`]]) {
      const p = project({ files: { "sys.js": fs.readFileSync(path.join(folder, file)) } });
      const { page, errors, context } = await open(browser, p.url());
      assert.deepEqual(await page.evaluate(() => [tavelValues(tavelStyle).map((v) => v[1]), gaps1, gaps2,
        document.querySelectorAll("nav.tvm > ul > li").length]), [Array(13).fill(value), gap, gap, 4], `${value} in ${file}`);
      assert.deepEqual(errors, [], `${value} in ${file}`);
      await context.close();
    }
  }
});

const begin = "<!-- menu links: begin -->";
// The template menu's links in order, each with the depth of its list.
const templateLinks = [["index.htm", 1], ["editor.htm", 3], ["viewer.htm", 3], ["converter.htm", 3], ["hardware.htm", 2],
  ["downloads.htm", 2], ["consulting.htm", 2], ["beginners.htm", 3], ["advanced.htm", 3], ["support.htm", 2],
  ["company.htm", 2], ["news.htm", 2], ["contact.htm", 2]];

// The links of the plain list, with their depth, where they show. Runs in the page.
const plainLinks = () => [...document.querySelectorAll("nav.tvm-links a")].filter((a) => a.getClientRects().length).map((a) => {
  let depth = 0;
  for (let e = a; e; e = e.parentElement) depth += e.tagName == "UL";
  return [a.getAttribute("href"), depth];
});

async function axeAt(page, width) {
  await page.setViewportSize({ width, height: 800 });
  await page.addScriptTag({ path: axePath });
  const { violations } = await page.evaluate(() => axe.run(document, { rules: { "target-size": { enabled: true } } }));
  // The plain links' separators are list items with the role ARIA in HTML allows them, which
  // tells a screen reader where the groups part; axe wants list items alone in a list. Only that
  // complaint, and only about the plain links, is let pass.
  const separators = (v) => v.id == "list" && v.nodes.every((n) => n.any.concat(n.all, n.none).some((c) => /role=separator/.test(c.message)));
  return violations.filter((v) => !separators(v)).map((v) => `${width} px ${v.id}`);
}

test("site and integrated pages carry the menu as links: all of them without scripts, each once with them, none for axe", { skip }, async () => {
  const site = createSite("link");  // the second Create into this folder
  const folder = path.join(work, "links");
  fs.mkdirSync(folder);
  fs.writeFileSync(path.join(folder, "page.htm"), '<!DOCTYPE html>\n<html lang="en">\n<head><meta charset="utf-8"><title>Mine</title></head>\n' +
    '<body>\n<main><h1 id="own">My own heading</h1>\n<p>Text of my own.</p>\n<script src="slow.js"></script></main>\n</body>\n</html>\n');
  fs.writeFileSync(path.join(folder, "slow.js"), "");
  execFileSync(tool, ["integrate", programFolder, path.join(folder, "page.htm")]);
  for (const [dir, file] of [[site.folder, "editor.htm"], [folder, "page.htm"]]) {
    assert.equal(fs.readFileSync(path.join(dir, file), "latin1").split(begin).length, 2, `${file}: one list of links`);
    const server = await serve(dir);
    const off = await browser.newContext({ javaScriptEnabled: false });
    const plain = await off.newPage();
    await plain.goto(server.url + file);
    assert.deepEqual(await plain.evaluate(plainLinks), templateLinks, `${file} without scripts`);
    await off.close();

    const { page, errors, context } = await open(browser, server.url + file);
    await page.waitForFunction(() => document.readyState == "complete" && !Object.keys(document.querySelector("nav.tvm").tvmLists).length);
    const hrefs = await page.evaluate(() => [document.querySelectorAll("nav.tvm-links").length,
      [...document.querySelectorAll("a[href]:not([href^='#'])")].map((a) => a.getAttribute("href")).sort()]);
    assert.deepEqual(hrefs, [0, templateLinks.map(([href]) => href).sort()], `${file} with scripts: each link once`);
    assert.deepEqual(errors, [], file);
    await page.clock.resume();
    for (const width of [1280, 400]) assert.deepEqual(await axeAt(page, width), [], `${file} with scripts`);
    await context.close();
    server.close();

    // A script that fails leaves the links as they are without scripts.
    const failing = await serve(dir, { "/sys.js": Promise.resolve() });
    const broken = await browser.newContext();
    const bare = await broken.newPage();
    await bare.goto(failing.url + file);
    assert.deepEqual(await bare.evaluate(plainLinks), templateLinks, `${file} with a failing script`);
    for (const width of [1280, 400]) assert.deepEqual(await axeAt(bare, width), [], `${file} with a failing script`);
    await broken.close();
    failing.close();
  }

  // Until the menu is drawn (on a page without holder, when the page is read) the hidden links keep
  // its place: nothing below moves.
  let release;
  const server = await serve(folder, { "/slow.js": new Promise((resolve) => { release = resolve; }) });
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(server.url + "page.htm", { waitUntil: "commit" });
  await page.waitForFunction(() => document.getElementById("own"));
  const heading = () => page.evaluate(() => [document.querySelectorAll("nav.tvm").length, document.getElementById("own").getBoundingClientRect().top]);
  const before = await heading();
  release();
  await page.waitForSelector("nav.tvm");
  assert.deepEqual([before, await heading()], [[0, before[1]], [1, before[1]]]);
  await context.close();
  server.close();
});

test("a Windows-1252 project's site pages show its captions right in the title, the menu and the plain links", { skip }, async () => {
  const script = path.join(work, "cp1252.js");
  fs.writeFileSync(script, fs.readFileSync(path.join(templateFolder, "temp.js"), "latin1")
    .replace('"Products"', '"Caf\u00e9 \u00dcber"').replace('"Editor"', '"\u00c9diteur"'), "latin1");
  const site = createSite("link", "cp1252", script);
  const bytes = fs.readFileSync(path.join(site.folder, "editor.htm"));
  assert.doesNotThrow(() => new TextDecoder("utf-8", { fatal: true }).decode(bytes), "the page is valid UTF-8, as it declares");
  const wanted = ["Caf\u00e9 \u00dcber", "\u00c9diteur"];
  for (const scripts of [true, false]) {
    const context = await browser.newContext({ javaScriptEnabled: scripts });
    const page = await context.newPage();
    await page.goto(site.url("editor.htm"));
    const text = await page.evaluate((s) => {
      // Lists are filled when first opened: open each empty one, level by level (four at most).
      for (let level = 0; s && level < 4; level++)
        for (const ul of document.querySelectorAll("nav.tvm ul:empty")) ul.closest("li").querySelector("a").click();
      return [document.title, document.querySelector(s ? "nav.tvm" : "nav.tvm-links").textContent];
    }, scripts);
    assert.equal(text[0], "Shop Software :: \u00c9diteur");
    for (const caption of wanted) assert.ok(text[1].includes(caption) && !text[1].includes("\ufffd"), `${caption} in ${text[1]}`);
    await context.close();
  }
});

// What the validator may still say of a site page: it does not know aria-current yet, and the
// separators of the plain links are empty items.
function tidyComplaints(file) {
  const run = spawnSync("tidy", ["-errors", "-q", file], { encoding: "utf8" });
  const lines = (run.stdout + run.stderr).split("\n").filter((l) => l && !/proprietary attribute "aria-current"|trimming empty <li>/.test(l));
  return [run.status < 2, lines];
}

test("every site page is a standards-mode page with its language, a heading, a skip link and its own link marked", { skip }, async () => {
  const site = createSite("digit", "reader");
  for (const file of site.pages) {
    assert.deepEqual(tidyComplaints(path.join(site.folder, file)), [true, []], file);
    const marked = () => [document.compatMode, document.documentElement.lang, document.title.endsWith(document.querySelector("main h1").textContent),
      document.querySelector("a[href='#tvm-main']") != null, [...document.querySelectorAll("[aria-current]")].map((a) => [a.getAttribute("href"), a.getAttribute("aria-current")]),
      document.querySelector("main h1").getBoundingClientRect().left > 0];
    const wanted = ["CSS1Compat", "en", true, true, [[file, "page"]], true];
    // Without scripts the plain links mark it, with them the drop-down (every list filled).
    const off = await browser.newContext({ javaScriptEnabled: false });
    const plain = await off.newPage();
    await plain.goto(site.url(file));
    assert.deepEqual(await plain.evaluate(marked), wanted, `${file} without scripts`);
    await off.close();
    const { page, errors, context } = await open(browser, site.url(file));
    await page.waitForFunction(() => !Object.keys(document.querySelector("nav.tvm").tvmLists).length);
    assert.deepEqual(await page.evaluate(marked), wanted, file);
    // The openers above it are marked as well, and the mark is no colour alone.
    assert.deepEqual(await page.evaluate((f) => {
      const a = document.querySelector(`nav.tvm a[href='${f}']`), openers = [];
      for (let li = a.closest("li").parentElement.closest("li"); li; li = li.parentElement.closest("li")) openers.push(li.classList.contains("tvm-here"));
      return [getComputedStyle(a).boxShadow.includes("inset"), openers.every(Boolean), document.querySelectorAll("nav.tvm .tvm-here").length == openers.length];
    }, file), [true, true, true], file);
    assert.deepEqual(errors, [], file);
    await context.close();
  }
});

test("on a phone a site page shows the Menu button, and three open levels fit its width", { skip }, async () => {
  const site = createSite("link", "phone");
  const phone = { viewport: { width: 375, height: 740 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 };
  const { page, errors, context } = await open(browser, site.url("editor.htm"), phone);
  assert.equal(await page.locator("nav.tvm > .tvm-burger").isVisible(), true);
  await page.locator("nav.tvm > .tvm-burger").tap();
  await page.locator("nav.tvm a", { hasText: "Products" }).tap();
  await page.locator("nav.tvm a", { hasText: "Software" }).tap();
  await eventually(page, () => [document.querySelector("nav.tvm a[href='editor.htm']").getClientRects().length > 0,
    document.documentElement.scrollWidth <= 375, innerWidth], [true, true, 375], "third level open");
  // Every opener carries the same marker, the top level's too.
  assert.equal(await page.evaluate(() => [...document.querySelectorAll("nav.tvm a[aria-controls]")].every((a) => a.querySelector(":scope>.tvm-arr"))), true);
  assert.deepEqual(errors, []);
  await context.close();
});

test("captions with markup and scripts give plain-text titles and headings, and run nothing", { skip }, async () => {
  const script = path.join(work, "hostile.js");
  fs.writeFileSync(script, fs.readFileSync(path.join(templateFolder, "temp.js"), "latin1")
    .replace('"Software"', '"<i>Italic</i> top"').replace('"Editor"', '"Title </title><script>alert(\'title\')</script>"'), "latin1");
  const site = createSite("link", "hostile", script);
  const dialogs = [];
  const { page, errors, context } = await open(browser, site.url("editor.htm"));
  page.on("dialog", (d) => { dialogs.push(d.message()); d.dismiss(); });
  await page.reload();
  await page.waitForSelector("nav.tvm");
  assert.deepEqual(await page.evaluate(() => [document.title, document.querySelector("main h1").textContent, document.querySelectorAll("title *, h1 *, script:not([src])").length]),
    ["Shop Italic top :: Title alert('title')", "Title alert('title')", 0]);
  assert.deepEqual([dialogs, errors], [[], []]);
  await context.close();
});
