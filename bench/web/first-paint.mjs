// Page load to the first paint of the diagram, in Debian's chromium served on 127.0.0.1:
// the time from the navigation's start to the animation frame in which the page's canvas
// first holds the diagram (a pixel of the optical axis that is no longer the background).
// Usage: node bench/web/first-paint.mjs [rounds]   (after `make web`; FOKALIS_WEB_DIR as for the tests)
import { WebDir, launch, serve } from "../../tests/web/harness.js";

const rounds = Number(process.argv[2] ?? 15);

function watchFirstPaint() {
    const look = () => {
        const canvas = document.querySelector("canvas");
        const context = canvas?.width ? canvas.getContext("2d", { willReadFrequently: true }) : null;
        if (context) {
            const row = context.getImageData(0, Math.floor(canvas.height / 2), canvas.width, 1).data;
            for (let i = 0; i < row.length; i += 4) {
                if (row[i] !== 255 || row[i + 1] !== 255 || row[i + 2] !== 255) {
                    window.firstPaint = performance.now();
                    return;
                }
            }
        }
        requestAnimationFrame(look);
    };
    requestAnimationFrame(look);
}

const browser = await launch();
const server = await serve(WebDir);
const times = [];
for (let round = 0; round < rounds; ++round) {
    // A new context each round: nothing cached, as for a reader's first visit.
    const context = await browser.newContext({ deviceScaleFactor: 1 });
    const page = await context.newPage();
    await page.addInitScript(watchFirstPaint);
    await page.goto(server.origin + "/");
    await page.waitForFunction(() => window.firstPaint !== undefined, null, { timeout: 20000 });
    times.push(await page.evaluate(() => window.firstPaint));
    await context.close();
}
await browser.close();
await server.close();
times.sort((a, b) => a - b);
const median = times[Math.floor(times.length / 2)];
console.log(`first paint of the diagram: median ${median.toFixed(1)} ms, min ${times[0].toFixed(1)} ms, `
    + `max ${times.at(-1).toFixed(1)} ms over ${rounds} loads`);
