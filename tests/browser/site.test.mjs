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
import { launch, open, project, templateFolder } from "./harness.mjs";

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

function createSite(mode) {
  const folder = path.join(work, mode);
  const said = execFileSync(tool, ["site", programFolder, folder, mode], { encoding: "utf8" }).trim();
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
  assert.match(named.said, /^Site created\.\n\n1 item got no page: its link is not a plain page name[^]*Home \("index\.htm"\)/);
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
  assert.match(fs.readFileSync(path.join(digits.folder, "tavelitem0.htm"), "utf8"), /<title>Shop  :: Home<\/title>/);
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
