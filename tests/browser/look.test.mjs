import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import { launch, open, project, sitePage, slotLine, templateFolder } from "./harness.mjs";

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

// What the menu looks like, measured with the Products list and the
// Software fly-out open and the pointer on the first item.
async function measure(url) {
  const { page, errors, context } = await open(browser, url);
  await page.click("nav.tvm > ul > li:nth-child(2) > a");
  await page.click("li.tvm-sub > a");
  await page.hover("li.tvm-sub li > a");
  const look = await page.evaluate(() => {
    const css = (el, p) => getComputedStyle(el)[p];
    const bar = document.querySelector("nav.tvm > ul");
    const title = bar.querySelector(":scope > li > a");
    const open = bar.querySelector(":scope > li.tvm-open > a");
    const drop = bar.querySelector(":scope > li.tvm-open > ul");
    const item = drop.querySelector(":scope > li:not(.tvm-sub):not(.tvm-sep) > a");
    const hovered = document.querySelector("li.tvm-sub li > a");
    return {
      titleWidth: css(title, "paddingLeft"), titleHeight: title.getBoundingClientRect().height,
      charWidth: css(drop, "minWidth"), charHeight: item.getBoundingClientRect().height,
      titleNormal: css(bar, "backgroundColor"), titleHighlighted: css(open, "backgroundColor"),
      itemNormal: css(item, "backgroundColor"), itemHighlighted: css(hovered, "backgroundColor"),
      upperLine: css(bar, "borderTopColor"), lowerLine: css(bar, "borderBottomColor"),
      borderSize: css(bar, "borderTopWidth"), marginSize: css(item, "paddingLeft"),
      marginString: item.innerHTML, caption: title.textContent,
    };
  });
  await context.close();
  return { look, errors };
}

const slots = [
  [12, "titleWidth", "30", false], [13, "titleHeight", "50", false], [14, "charWidth", "20", false],
  [15, "charHeight", "40", false], [16, "titleNormal", "#008000", true], [17, "titleHighlighted", "#800080", true],
  [18, "itemNormal", "#404040", true], [19, "itemHighlighted", "#006060", true], [20, "upperLine", "#ff0000", true],
  [21, "lowerLine", "#00ff00", true], [22, "borderSize", "5", false], [23, "marginSize", "25", false],
  [24, "marginString", "&raquo;&nbsp;", true],
];

test("every style slot and both gaps change what is drawn", async () => {
  const base = await measure(project().url());
  assert.deepEqual(base.errors, []);
  for (const [line, key, value, quoted] of slots) {
    const changed = await measure(project({ lines: { [line]: slotLine(line, value, quoted) } }).url());
    assert.deepEqual(changed.errors, [], key);
    assert.notDeepEqual(changed.look[key], base.look[key], `slot ${key} on line ${line} changed nothing`);
  }
  // A style file's value keeps the blank after its "=": the line must stay valid.
  const spaced = await measure(project({ lines: { 12: slotLine(12, " 30", false) } }).url());
  assert.deepEqual(spaced.errors, []);
  assert.equal(spaced.look.titleWidth, "30px");

  const gaps = await measure(project({ lines: { 47: 'var gaps1 ="<b>{</b>";', 48: 'var gaps2 ="<b>}</b>";' } }).url());
  assert.equal(gaps.look.caption, "{Home}");
  // What system/gaps.ini puts on line 211 is the line that is there.
  const gapsIni = fs.readFileSync(path.join(templateFolder, "gaps.ini"), "latin1").split("\r\n")[0];
  const line211 = fs.readFileSync(path.join(templateFolder, "sys.js"), "latin1").split("\r\n")[210];
  assert.equal(line211.slice(0, 15), gapsIni.slice(0, 15));
  const replaced = await measure(project({ lines: { 47: 'var gaps1 ="<b>[</b>";', 211: gapsIni } }).url());
  assert.deepEqual(replaced.errors, []);
  assert.equal(replaced.look.caption, "[Home");
});

test("the runtime keeps its fixed lines", () => {
  const lines = fs.readFileSync(path.join(templateFolder, "sys.js"), "latin1").split("\r\n");
  assert.equal(lines.slice(11, 26).filter((l) => l.includes("=")).length, 13);
  assert.equal(lines[46], 'var gaps1 = "";');
  assert.equal(lines[47], 'var gaps2 = "";');
  // 16 KB until the runtime took on reading these lines defensively, placing
  // lists beside their rows, keeping the focus safe, aiming per move and
  // drawing early; 21 KB until it marked the current page and gave every opener its marker.
  assert.ok(fs.statSync(path.join(templateFolder, "sys.js")).size <= 22 * 1024, "sys.js is over 22 KB");
});

test("a site page builds the menu in standards mode", async () => {
  const p = project({ files: { "tavelitem3.htm": sitePage("My site Software :: Editor") } });
  const { page, errors, context } = await open(browser, p.url("tavelitem3.htm"));
  assert.equal(await page.evaluate(() => document.compatMode), "CSS1Compat");
  assert.equal(await page.locator("nav.tvm > ul > li").count(), 4);
  await page.click("nav.tvm > ul > li:nth-child(2) > a");
  assert.equal(await page.locator("nav.tvm > ul > li:nth-child(2) > ul").isVisible(), true);
  assert.deepEqual(errors, []);
  await context.close();
});

test("an existing page integrated as the site tools do builds the menu", async () => {
  let text = "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<title>Shop</title>\r\n</head>\r\n<body class=\"shop\">\r\n<h1>Our shop</h1>\r\n</body>\r\n</html>\r\n";
  const pair = '<script language="javascript" src="sys.js"></script><script language="javascript" src="temp.js"></script>';
  text = text.replace("</title>", "</title>" + pair);
  text = '<link rel=stylesheet href="stt.css" type="text/css">' + text;
  text = text.replace("<body", "<body onLoad=\"buildMenu('theMenu')\"");
  const p = project({ files: { "shop.htm": text } });
  const { page, errors, context } = await open(browser, p.url("shop.htm"));
  // No holder on the page: the menu stands at the top of the body.
  assert.equal(await page.evaluate(() => document.body.firstElementChild.matches("nav.tvm")), true);
  assert.equal(await page.locator("nav.tvm a.menuTitle").count(), 4);
  assert.deepEqual(errors, []);
  await context.close();
});

test("lists stay inside the window, flip at the edge and mirror right to left", async () => {
  const right = project({ files: { "right.htm": fs.readFileSync(path.join(templateFolder, "index.htm"), "latin1")
    .replace("</head>", "<style>nav.tvm > ul { justify-content: flex-end }</style></head>") } });
  const { page, context } = await open(browser, right.url("right.htm"), { viewport: { width: 640, height: 260 } });
  await page.click("nav.tvm > ul > li:nth-child(2) > a");
  await page.click("li.tvm-sub > a");
  const boxes = await page.evaluate(() => [...document.querySelectorAll("li.tvm-open > ul")].map((u) => {
    const r = u.getBoundingClientRect();
    return { left: r.left, right: r.right, bottom: r.bottom, scroll: u.scrollHeight > u.clientHeight };
  }));
  for (const b of boxes) assert.ok(b.right <= 640 && b.left >= 0, JSON.stringify(b));
  await context.close();

  const short = await open(browser, project().url(), { viewport: { width: 900, height: 120 } });
  await short.page.click("nav.tvm > ul > li:nth-child(2) > a");
  const drop = await short.page.evaluate(() => {
    const u = document.querySelector("li.tvm-open > ul");
    return { bottom: u.getBoundingClientRect().bottom, scrolls: u.scrollHeight > u.clientHeight };
  });
  assert.ok(drop.bottom <= 120 && drop.scrolls, JSON.stringify(drop));
  await short.context.close();

  const rtl = project({ files: { "rtl.htm": fs.readFileSync(path.join(templateFolder, "index.htm"), "latin1")
    .replace('<html lang="en">', '<html lang="ar" dir="rtl">') } });
  const mirrored = await open(browser, rtl.url("rtl.htm"));
  const m = mirrored.page;
  await m.click("nav.tvm > ul > li:nth-child(2) > a");
  await m.focus("li.tvm-sub > a");
  await m.keyboard.press("ArrowLeft");
  const sides = await m.evaluate(() => {
    const item = document.querySelector("li.tvm-sub > a").getBoundingClientRect();
    const fly = document.querySelector("li.tvm-sub > ul").getBoundingClientRect();
    const bar = [...document.querySelectorAll("nav.tvm > ul > li")].map((li) => li.getBoundingClientRect().left);
    return { flyRight: fly.right, itemLeft: item.left, barDescends: bar[0] > bar[1],
      focus: document.activeElement.textContent.trim() };
  });
  assert.ok(sides.barDescends, "the bar runs from the right");
  assert.ok(sides.flyRight <= sides.itemLeft + 2, JSON.stringify(sides));
  assert.equal(sides.focus, "Editor");
  await mirrored.context.close();
});

test("narrow screens get a Menu button with every level reachable by tapping", async () => {
  const { page, errors, context } = await open(browser, project().url(),
    { viewport: { width: 375, height: 667 }, hasTouch: true, isMobile: true });
  const burger = page.locator("nav.tvm > button");
  assert.equal(await burger.textContent(), "Menu");
  assert.equal(await page.locator("nav.tvm > ul").isVisible(), false);
  await burger.tap();
  assert.equal(await burger.getAttribute("aria-expanded"), "true");
  await page.locator("nav.tvm > ul > li:nth-child(3) > a").tap();
  await page.locator("nav.tvm > ul > li:nth-child(3) li.tvm-sub > a").tap();
  const advanced = page.locator("text=Advanced");
  assert.equal(await advanced.isVisible(), true);
  const box = await advanced.boundingBox();
  assert.ok(box.x >= 0 && box.x + box.width <= 375);
  assert.deepEqual(errors, []);
  await context.close();
});

test("reduced motion turns the opening animation off", async () => {
  for (const [reducedMotion, expected] of [["reduce", "none"], ["no-preference", "tvm-in"]]) {
    const { page, context } = await open(browser, project().url(), { reducedMotion });
    await page.click("nav.tvm > ul > li:nth-child(2) > a");
    const name = await page.evaluate(() => getComputedStyle(document.querySelector("li.tvm-open > ul")).animationName);
    assert.equal(name, expected, reducedMotion);
    await context.close();
  }
});
