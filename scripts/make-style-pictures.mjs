// Pictures the provided styles for the New Menu dialog: the template page,
// restyled as the program restyles it, is drawn in headless Chromium with
// the Products list open and the pointer on an item, and the top left of it
// is saved as data/Styles/Provided/<style>.jpg, 100 x 60 pixels.
//
//   (cd tests/browser && npm ci --no-audit --no-fund)
//   node scripts/make-style-pictures.mjs             # every provided style
//   node scripts/make-style-pictures.mjs Inferno     # only the ones named
import path from "node:path";
import { launch, open } from "../tests/browser/harness.mjs";
import { shippedStyles, styledProject, stylesFolder } from "../tests/browser/styles.mjs";

const names = process.argv.length > 2 ? process.argv.slice(2) : shippedStyles;
for (const name of names) if (!shippedStyles.includes(name)) throw new Error(`"${name}" is not a provided style`);

// A 250 x 150 corner of a 640-pixel-wide page (wide enough for the menu
// bar rather than its narrow-screen button), drawn at 0.4 scale.
const scale = 0.4;
const clip = { x: 0, y: 0, width: 100 / scale, height: 60 / scale };

const browser = await launch();
try {
  for (const name of names) {
    const { page, errors, context } = await open(browser, styledProject(name).url(),
      { viewport: { width: 640, height: 400 }, deviceScaleFactor: scale });
    await page.click("nav.tvm > ul > li:nth-child(2) > a");
    await page.hover("nav.tvm > ul > li:nth-child(2) > ul > li:nth-child(2) > a");
    await page.waitForTimeout(300);  // the list's opening animation
    if (errors.length) throw new Error(`${name}: ${errors.join("; ")}`);
    const file = path.join(stylesFolder, `${name}.jpg`);
    await page.screenshot({ path: file, type: "jpeg", quality: 90, clip });
    await context.close();
    console.log(`wrote ${file}`);
  }
} finally {
  await browser.close();
}
