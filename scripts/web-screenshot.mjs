// Takes the README's picture of the page: build/web in headless Chromium,
// the first built-in glyx playing the built-in music, two seconds after the
// page opened. The files come straight from build/web, without a server.
// usage: node scripts/web-screenshot.mjs OUT.png
import { readFileSync } from 'node:fs';
import { extname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const kContentTypes = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm' };
const kGlyx = 'p=pal(8,-t*3); decay(rad(x,y))%snd(sin(theta(x,y))%51)';

const [output] = process.argv.slice(2);
if (output === undefined) {
  console.error('usage: node scripts/web-screenshot.mjs OUT.png');
  process.exit(2);
}
const pageFolder = fileURLToPath(new URL('../build/web/', import.meta.url));

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});
try {
  const page = await browser.newPage({ viewport: { width: 1000, height: 600 } });
  await page.route('http://zorva.page/**', (route) => {
    const name = new URL(route.request().url()).pathname.slice(1) || 'index.html';
    route.fulfill({ body: readFileSync(join(pageFolder, name)), contentType: kContentTypes[extname(name)] });
  });
  await page.goto(`http://zorva.page/?audio=music&seed=1#glyx=${encodeURIComponent(kGlyx)}`);
  await page.evaluate(() => window.zorvaReady.then(() => undefined));
  await page.waitForTimeout(2000);
  await page.screenshot({ path: output });
} finally {
  await browser.close();
}
