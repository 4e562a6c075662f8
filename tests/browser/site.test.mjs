// Sites made by Create site and pages made by Integrate, opened in Chromium.
// The pages are written by the program's own core through the fixture tool
// that ctest names in TAVEL_SITE_FIXTURE.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";
import { launch, open, templateFolder } from "./harness.mjs";

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

function createSite(name, mode) {
  const folder = path.join(work, name);
  const said = execFileSync(tool, ["site", programFolder, folder, mode], { encoding: "utf8" });
  return { folder, said: said.trim(), url: (file) => pathToFileURL(path.join(folder, file)).href };
}

// Every link of the menu, opened or not, as the file name it leads to.
const menuLinks = (page) => page.evaluate(() => {
  const nav = document.querySelector("nav.tvm");
  // Submenus are filled when first opened or when the page is idle.
  return [...nav.querySelectorAll("a[href]")].map((a) => a.getAttribute("href"));
});
const idle = (page) => page.waitForFunction(() => Object.keys(document.querySelector("nav.tvm").tvmLists).length === 0);
const openTitle = (page, caption) => page.locator("nav.tvm > ul > li > a", { hasText: caption }).click();

test("a site from the template menu: every page shows the menu, and its links reach the other pages", { skip }, async () => {
  const site = createSite("named", "link");
  // The template's Home item links the project's own page, which the
  // project save writes; it is named as skipped.
  assert.match(site.said, /^Site created\.\n\n1 item got no page: its link is not a plain page name/);
  assert.match(site.said, /Home \("index\.htm"\)/);
  const pages = fs.readdirSync(site.folder).filter((f) => f.endsWith(".htm") && f !== "index.htm").sort();
  assert.deepEqual(pages, ["advanced.htm", "beginners.htm", "company.htm", "consulting.htm", "contact.htm",
    "converter.htm", "downloads.htm", "editor.htm", "hardware.htm", "news.htm", "support.htm", "viewer.htm"]);

  for (const file of pages) {
    const { page, errors, context } = await open(browser, site.url(file));
    await idle(page);
    const links = await menuLinks(page);
    assert.equal(links.length, 13, file); // Home and the twelve pages; submenu titles have none
    for (const link of links) assert.ok(fs.existsSync(path.join(site.folder, link)), `${file} links ${link}`);
    assert.equal(await page.locator("nav.tvm").count(), 1, file);
    assert.equal(await page.evaluate(() => document.characterSet), "UTF-8", file);
    assert.deepEqual(errors, [], file);
    await context.close();
  }

  // Followed by hand: from one page through a submenu to another.
  const { page, errors, context } = await open(browser, site.url("editor.htm"));
  assert.equal(await page.title(), "Shop Software :: Editor");
  await openTitle(page, "About us");
  await page.locator("nav.tvm a", { hasText: "Contact" }).click();
  await page.waitForURL(/\/contact\.htm$/);
  await page.waitForSelector("nav.tvm");
  assert.equal(await page.title(), "Shop About us :: Contact");
  await openTitle(page, "Home");
  await page.waitForURL(/\/index\.htm$/);
  await page.waitForSelector("nav.tvm");
  assert.deepEqual(errors, []);
  await context.close();
});

test("a site with digit names: the menu's links become the digit pages", { skip }, async () => {
  const site = createSite("digits", "digit");
  assert.equal(site.said, "Site succesfully created!");
  const { page, errors, context } = await open(browser, site.url("tavelitem3.htm"));
  assert.equal(await page.title(), "Shop Software :: Editor");
  await idle(page);
  const links = await menuLinks(page);
  assert.equal(links.length, 13);
  for (const link of links) {
    assert.match(link, /^tavelitem\d+\.htm$/);
    assert.ok(fs.existsSync(path.join(site.folder, link)), link);
  }
  await openTitle(page, "Home");
  await page.waitForURL(/\/tavelitem0\.htm$/);
  await page.waitForSelector("nav.tvm");
  // A top-level item has no parent for the first part; the browser folds
  // the two spaces that leaves.
  assert.equal(await page.title(), "Shop :: Home");
  assert.match(fs.readFileSync(path.join(site.folder, "tavelitem0.htm"), "utf8"), /<title>Shop  :: Home<\/title>/);
  assert.deepEqual(errors, []);
  await context.close();
});

test("an integrated plain page shows the menu and keeps its own content", { skip }, async () => {
  const folder = path.join(work, "plain");
  fs.mkdirSync(folder);
  const file = path.join(folder, "page.htm");
  fs.writeFileSync(file, "<HTML>\n<HEAD><TITLE>My page</TITLE></HEAD>\n<BODY>\n<h1 id=\"own\">My own heading</h1>\n" +
    "<p>Text of my own.</p>\n</BODY>\n</HTML>\n");
  for (let run = 0; run < 2; run++) assert.equal(execFileSync(tool, ["integrate", programFolder, file], { encoding: "utf8" }), "\n");
  for (const name of ["temp.js", "stt.css", "sys.js"]) assert.ok(fs.existsSync(path.join(folder, name)), name);

  const { page, errors, context } = await open(browser, pathToFileURL(file).href);
  assert.equal(await page.title(), "My page");
  assert.equal(await page.locator("#own").textContent(), "My own heading");
  assert.equal(await page.locator("p", { hasText: "Text of my own." }).count(), 1);
  assert.equal(await page.locator("nav.tvm").count(), 1);
  assert.equal(await page.locator("nav.tvm > ul > li").count(), 4);
  await openTitle(page, "Products");
  assert.equal(await page.locator("nav.tvm a", { hasText: "Hardware" }).isVisible(), true);
  assert.deepEqual(errors, []);
  await context.close();
});
