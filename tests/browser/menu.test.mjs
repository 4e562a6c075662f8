import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { launch, open, project, sample, templateFolder } from "./harness.mjs";
import path from "node:path";
import { pathToFileURL } from "node:url";

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

const templateUrl = pathToFileURL(path.join(templateFolder, "index.htm")).href;
const top = (page, n) => page.locator("nav.tvm > ul > li").nth(n);
const expanded = (page, n) => top(page, n).locator(":scope > a").getAttribute("aria-expanded");

test("the sample menu builds with its items on every level", async () => {
  const { page, errors, context } = await open(browser, templateUrl);
  // Submenus are filled when first opened or when the page is idle.
  await page.clock.runFor(1000);
  await page.waitForFunction(() => Object.keys(document.querySelector("nav.tvm").tvmLists).length === 0);
  const counts = await page.evaluate(() => {
    const bar = document.querySelector("nav.tvm > ul");
    const list = (li) => li.querySelector(":scope > ul").children.length;
    const tops = [...bar.children];
    return {
      tops: tops.length, products: list(tops[1]), services: list(tops[2]), about: list(tops[3]),
      software: list(tops[1].querySelector("li")), training: list(tops[2].querySelectorAll(":scope > ul > li")[1]),
      titles: document.querySelectorAll("a.menuTitle").length, items: document.querySelectorAll("a.menu").length,
      separators: document.querySelectorAll(".tvm-sep").length, navs: document.querySelectorAll("nav.tvm").length,
      label: document.querySelector("nav.tvm").getAttribute("aria-label"),
    };
  });
  assert.deepEqual({ tops: counts.tops, products: counts.products, services: counts.services, about: counts.about,
    software: counts.software, training: counts.training }, sample);
  assert.equal(counts.titles, 4);
  assert.equal(counts.items, 14); // 16 entries below the bar less the two separators
  assert.equal(counts.separators, 2);
  assert.equal(counts.navs, 1);
  assert.ok(counts.label);
  // Drawing again replaces the menu instead of adding a second one.
  await page.evaluate(() => buildMenu("theMenu"));
  assert.equal(await page.locator("nav.tvm").count(), 1);
  assert.equal(await page.locator("head > style").count(), 1);
  assert.deepEqual(errors, []);
  await context.close();
});

test("hints are tooltips, links are followed, captions are the author's HTML", async () => {
  const p = project({ files: { "temp.js": 'var theMenu = new Array();\r\ntheMenu[0] = new Array("<i>Go</i>", "target.htm");\r\n' +
    'theMenu[1] = new Array("More", "myMenu0");\r\nvar myMenu0 = new Array();\r\nmyMenu0[0] = new Array("L","Item","A hint","#x");\r\n',
    "target.htm": "<title>Target</title>reached" } });
  const { page, errors, context } = await open(browser, p.url());
  assert.equal(await page.locator("nav.tvm a.menuTitle i").first().textContent(), "Go");
  assert.equal(await page.locator("a.menu").getAttribute("title"), "A hint");
  await page.click("a.menuTitle >> text=Go");
  await page.waitForURL(/target\.htm$/);
  assert.deepEqual(errors, []);
  await context.close();
});

// Time on the page moves only by page.clock.runFor: the pace of a hand is
// the clock's time between two moves, whatever the machine's speed.
test("hover opens after a short delay and leaving closes", async () => {
  const { page, errors, context } = await open(browser, templateUrl);
  const products = top(page, 1).locator(":scope > a");
  await products.hover();
  await page.clock.runFor(40);
  assert.equal(await expanded(page, 1), "false", "not at once");
  await page.clock.runFor(100);
  assert.equal(await expanded(page, 1), "true");
  // The fly-out of Software opens on hover too.
  await top(page, 1).locator("li.tvm-sub > a").hover();
  await page.clock.runFor(150);
  assert.equal(await top(page, 1).locator("li.tvm-sub > ul").isVisible(), true);
  await page.mouse.move(500, 380);
  await page.clock.runFor(200);
  assert.equal(await page.locator("nav.tvm li.tvm-open").count(), 2, "leaving waits a moment");
  await page.clock.runFor(200);
  assert.equal(await page.locator("nav.tvm li.tvm-open").count(), 0);
  assert.deepEqual(errors, []);
  await context.close();
});

// From the lower left of Software down and right across Hardware to the
// fly-out's lower items, in steps of `step` pixels `ms` apart.
async function diagonal(page, step, ms) {
  const software = top(page, 1).locator("li.tvm-sub > a");
  const from = await software.boundingBox();
  const fly = await top(page, 1).locator("li.tvm-sub > ul").boundingBox();
  const start = { x: from.x + 10, y: from.y + from.height - 4 };
  const end = { x: fly.x + 12, y: fly.y + fly.height - 10 };
  const steps = Math.ceil(Math.hypot(end.x - start.x, end.y - start.y) / step);
  await page.mouse.move(start.x, start.y);
  for (let i = 1; i <= steps; i++) {
    await page.mouse.move(start.x + ((end.x - start.x) * i) / steps, start.y + ((end.y - start.y) * i) / steps);
    await page.clock.runFor(ms);
  }
}

async function hoverSoftware(page) {
  await top(page, 1).locator(":scope > a").hover();
  await page.clock.runFor(150);
  await top(page, 1).locator("li.tvm-sub > a").hover();
  await page.clock.runFor(150);
  assert.equal(await page.locator("li.tvm-sub.tvm-open").count(), 1);
}

test("a diagonal move toward the open fly-out keeps it open, at any pace", async () => {
  // A quick hand (about 1,000 px/s), and the slow one (about 145 px/s)
  // that used to lose the fly-out every time.
  for (const [step, ms] of [[10, 10], [5, 34], [2, 14]]) {
    const { page, context } = await open(browser, templateUrl);
    await hoverSoftware(page);
    await diagonal(page, step, ms);
    await page.clock.runFor(1000);
    assert.equal(await page.locator("li.tvm-sub.tvm-open").count(), 1, `${step} px every ${ms} ms`);
    await context.close();
  }
});

test("a pause or a turn away on the way gives the row under the pointer its turn", async () => {
  const { page, context } = await open(browser, templateUrl);
  await hoverSoftware(page);
  const hardware = await top(page, 1).locator(":scope > ul > li:nth-child(2) > a").boundingBox();
  const software = await top(page, 1).locator("li.tvm-sub > a").boundingBox();
  // Heading for the fly-out, then resting on Hardware.
  await page.mouse.move(software.x + 10, software.y + software.height - 4);
  await page.mouse.move(software.x + 40, hardware.y + 6);
  await page.clock.runFor(300);
  assert.equal(await page.locator("li.tvm-sub.tvm-open").count(), 1, "a short rest keeps it");
  await page.clock.runFor(200);
  assert.equal(await page.locator("li.tvm-sub.tvm-open").count(), 0, "a longer rest gives Hardware its turn");

  await hoverSoftware(page);
  // Straight down and then back to the left, away from the fly-out.
  await page.mouse.move(software.x + 30, software.y + software.height - 2);
  await page.mouse.move(software.x + 30, hardware.y + 8);
  await page.mouse.move(software.x + 20, hardware.y + 12);
  await page.clock.runFor(120);
  assert.equal(await page.locator("li.tvm-sub.tvm-open").count(), 0);
  await context.close();
});

test("click toggles, a click outside closes, and a tap opens without following a link", async () => {
  const { page, context } = await open(browser, templateUrl);
  await top(page, 2).locator(":scope > a").click();
  assert.equal(await expanded(page, 2), "true");
  await page.mouse.move(500, 380);
  await page.clock.runFor(1000);
  assert.equal(await expanded(page, 2), "true", "a menu opened by click stays when the pointer leaves");
  await top(page, 2).locator(":scope > a").click();
  assert.equal(await expanded(page, 2), "false");
  await top(page, 2).locator(":scope > a").click();
  await page.mouse.click(600, 300);
  assert.equal(await expanded(page, 2), "false");
  await context.close();

  const touch = await open(browser, templateUrl, { hasTouch: true, isMobile: false, viewport: { width: 900, height: 500 } });
  const url = touch.page.url();
  await top(touch.page, 1).locator(":scope > a").tap();
  assert.equal(await expanded(touch.page, 1), "true");
  await top(touch.page, 1).locator("li.tvm-sub > a").tap();
  assert.equal(await top(touch.page, 1).locator("li.tvm-sub > a").getAttribute("aria-expanded"), "true");
  assert.equal(touch.page.url(), url);
  await touch.page.tap("main");
  assert.equal(await expanded(touch.page, 1), "false");
  await touch.context.close();
});

test("keyboard: Enter and Space toggle, arrows, Home, End, a letter, Escape returns focus", async () => {
  const { page, errors, context } = await open(browser, templateUrl);
  const focused = () => page.evaluate(() => document.activeElement.textContent.trim());
  await page.keyboard.press("Tab");
  await page.keyboard.press("Tab");
  assert.equal(await focused(), "Products");
  await page.keyboard.press("Enter");
  assert.equal(await expanded(page, 1), "true");
  assert.equal(await focused(), "Products");
  await page.keyboard.press("Space");
  assert.equal(await expanded(page, 1), "false");
  await page.keyboard.press("ArrowDown");
  assert.equal(await focused(), "Software");
  await page.keyboard.press("ArrowDown");
  assert.equal(await focused(), "Hardware");
  await page.keyboard.press("End");
  assert.equal(await focused(), "Downloads");
  await page.keyboard.press("Home");
  assert.equal(await focused(), "Software");
  await page.keyboard.press("d");
  assert.equal(await focused(), "Downloads");
  await page.keyboard.press("Home");
  await page.keyboard.press("ArrowRight");
  assert.equal(await focused(), "Editor");
  await page.keyboard.press("ArrowDown");
  assert.equal(await focused(), "Viewer");
  await page.keyboard.press("ArrowLeft");
  assert.equal(await focused(), "Software");
  assert.equal(await page.locator("li.tvm-sub").first().getAttribute("class"), "tvm-sub");
  await page.keyboard.press("Escape");
  assert.equal(await focused(), "Products");
  assert.equal(await expanded(page, 1), "false");
  await page.keyboard.press("ArrowRight");
  assert.equal(await focused(), "Services");
  assert.deepEqual(errors, []);
  await context.close();
});

test("Escape closes a menu opened by hover and puts the focus on its toggle", async () => {
  const { page, context } = await open(browser, templateUrl);
  await top(page, 3).locator(":scope > a").hover();
  await page.clock.runFor(150);
  assert.equal(await expanded(page, 3), "true");
  await page.keyboard.press("Escape");
  assert.equal(await expanded(page, 3), "false");
  assert.equal(await page.evaluate(() => document.activeElement.textContent.trim()), "About us");
  await context.close();
});
