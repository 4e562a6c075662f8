import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { launch, open, serve } from "./harness.mjs";
import { shippedStyles, styleSlotLines, styledProject } from "./styles.mjs";

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

// WCAG relative luminance and contrast of two computed "rgb(r, g, b)" colours.
const luminance = (rgb) => {
  const [r, g, b] = rgb.match(/\d+(\.\d+)?/g).slice(0, 3).map(Number).map((c) => {
    c /= 255;
    return c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
  });
  return 0.2126 * r + 0.7152 * g + 0.0722 * b;
};
const contrast = (a, b) => {
  const [hi, lo] = [luminance(a), luminance(b)].sort((x, y) => y - x);
  return (hi + 0.05) / (lo + 0.05);
};
const hexToRgb = (hex) => `rgb(${[1, 3, 5].map((i) => parseInt(hex.slice(i, i + 2), 16)).join(", ")})`;

// Text and background of a link as drawn, and of the rule that colours it.
async function look(page, selector) {
  return page.locator(selector).evaluate((a) => ({ text: getComputedStyle(a).color, back: getComputedStyle(a).backgroundColor }));
}

for (const name of shippedStyles) {
  test(`${name}: the restyled runtime loads and its style sheet's four rules read back`, async () => {
    // Served, since a page may not read the rules of a sheet from a file.
    const server = await serve(styledProject(name).dir);
    const { page, errors, context } = await open(browser, server.url + "index.htm", { viewport: { width: 900, height: 600 } });
    const rules = await page.evaluate(() => {
      const sheet = [...document.styleSheets].find((s) => s.href && s.href.endsWith("stt.css"));
      const out = {};
      for (const rule of sheet.cssRules) if (/^a\.menu/i.test(rule.selectorText)) out[rule.selectorText] = rule.style.color;
      return out;
    });
    assert.deepEqual(Object.keys(rules).sort(), ["a.menu", "a.menu:hover", "a.menuTitle", "a.menuTitle:hover"]);

    // The slot values reached the drawing: the bar has the style's colour.
    const barColour = styleSlotLines(name)[16].match(/#[0-9a-f]{6}/i)[0];
    const bar = await page.locator("nav.tvm > ul").evaluate((ul) => getComputedStyle(ul).backgroundColor);
    assert.equal(bar, hexToRgb(barColour));

    const title = "nav.tvm > ul > li:nth-child(2) > a";
    const item = "nav.tvm > ul > li:nth-child(2) > ul > li:nth-child(2) > a";
    const seen = { title: await look(page, title) };
    await page.click(title);
    seen.openTitle = await look(page, title);
    await page.hover(title);
    seen.hoveredTitle = await look(page, title);
    seen.item = await look(page, item);
    await page.hover(item);
    seen.hoveredItem = await look(page, item);
    assert.deepEqual(errors, []);
    await context.close();
    server.close();

    // Each rule is what colours its links, and every state stays readable.
    assert.equal(seen.title.text, rules["a.menuTitle"]);
    assert.equal(seen.hoveredTitle.text, rules["a.menuTitle:hover"]);
    assert.equal(seen.item.text, rules["a.menu"]);
    assert.equal(seen.hoveredItem.text, rules["a.menu:hover"]);
    for (const [state, { text, back }] of Object.entries(seen))
      assert.ok(contrast(text, back) >= 4.5, `${state}: ${text} on ${back} is ${contrast(text, back).toFixed(2)}:1`);
  });
}
