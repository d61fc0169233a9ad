// The page that `make web` builds, in Debian's chromium: the same pixels as the desktop's
// render tool, dragging and keys, texts, the accessibility tree, the About box, the host
// link with the real page, and a dictionary that cannot serve.
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { BuildDir, SourceDir, openPage, startSession } from "./harness.js";

const Render = join(BuildDir, "tools/fokalis-render/fokalis-render");
let session;

before(async () => {
    session = await startSession();
});

after(async () => {
    await session.close();
});

// fokalis-render's PNG of the settings, as base64.
function rendered(...options) {
    return execFileSync(Render, ["-", ...options], { maxBuffer: 16 << 20 }).toString("base64");
}

async function open(query = "") {
    const page = await openPage(session.browser);
    await page.goto(`${session.web}/${query}`);
    await page.waitForFunction(() => document.documentElement.dataset.fokalis === "ready");
    return page;
}

// How many pixels of the page's canvas differ from the PNG, and the first of them; the
// canvas must not have the focus, whose frame the render tool does not draw.
function differences(page, png) {
    return page.evaluate(async (png) => {
        document.activeElement?.blur();
        await new Promise(requestAnimationFrame);
        const picture = new Image();
        picture.src = "data:image/png;base64," + png;
        await picture.decode();
        const canvas = document.querySelector("canvas");
        if (canvas.width !== picture.width || canvas.height !== picture.height)
            return { size: `${canvas.width}x${canvas.height}, not ${picture.width}x${picture.height}` };
        const reference = new OffscreenCanvas(picture.width, picture.height).getContext("2d");
        reference.drawImage(picture, 0, 0);
        const want = reference.getImageData(0, 0, picture.width, picture.height).data;
        const got = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
        let count = 0, first = null;
        for (let i = 0; i < want.length; i += 4) {
            if (want[i] !== got[i] || want[i + 1] !== got[i + 1] || want[i + 2] !== got[i + 2]) {
                first ??= [(i / 4) % canvas.width, Math.floor(i / 4 / canvas.width)];
                ++count;
            }
        }
        return { count, first };
    }, png);
}

async function assertSamePixels(page, options, what) {
    assert.deepEqual(await differences(page, rendered(...options)), { count: 0, first: null }, what);
}

async function press(page, keys) {
    await page.locator("canvas").focus();
    for (const key of keys)
        await page.keyboard.press(key);
}

const times = (count, key) => Array(count).fill(key);

test("the canvas holds the render tool's pixels for every kind of diagram", async () => {
    const page = await open("?lang=en");
    await assertSamePixels(page, [], "start values");
    await page.getByRole("checkbox", { name: "Display Lens" }).click();
    await assertSamePixels(page, ["--no-lens"], "lens off");
    await page.getByRole("checkbox", { name: "Display Lens" }).click();
    await page.getByRole("radio", { name: "Concave" }).check();
    await assertSamePixels(page, ["--lens", "concave"], "concave");
    await page.getByRole("radio", { name: "Convex" }).check();
    // The object from 200 to 80 pixels left of the lens: at F, then 30 pixels inside it.
    await press(page, ["o", ...times(12, "Shift+ArrowRight"), "Escape"]);
    await assertSamePixels(page, ["--object-x", "80"], "object at F");
    await press(page, ["o", ...times(3, "Shift+ArrowRight"), "Escape"]);
    await assertSamePixels(page, ["--object-x", "50"], "virtual image");
    assert.deepEqual(page.problems, []);
});

test("a drag and the equivalent keys give the same diagram, and Reset the start", async () => {
    const dragged = await open("?lang=en");
    const box = await dragged.locator("canvas").boundingBox();
    // The object's head stands 200 pixels left of the lens (x 304) and 150 above the axis (y 237).
    await dragged.mouse.move(box.x + 104, box.y + 87);
    await dragged.mouse.down();
    await dragged.mouse.move(box.x + 150, box.y + 120, { steps: 5 });
    await dragged.mouse.move(box.x + 184, box.y + 137, { steps: 5 });
    await dragged.mouse.up();
    await assertSamePixels(dragged, ["--object-x", "120", "--object-h", "100"], "after the drag");

    const keyed = await open("?lang=en");
    await press(keyed, ["o", ...times(8, "Shift+ArrowRight"), ...times(5, "Shift+ArrowDown"), "Escape"]);
    await assertSamePixels(keyed, ["--object-x", "120", "--object-h", "100"], "after the keys");

    // Reset, by its button and by its key, brings back the start's object and focal length
    // and keeps the lens type.
    await dragged.getByRole("button", { name: "Reset to the start values" }).click();
    await assertSamePixels(dragged, [], "after Reset");
    await keyed.getByRole("radio", { name: "Concave" }).check();
    await keyed.keyboard.press("Alt+r");
    await assertSamePixels(keyed, ["--lens", "concave"], "after Alt+R");
});

// The canvas's node in the browser's accessibility tree, and the live region's text.
async function accessibility(page) {
    const cdp = await page.context().newCDPSession(page);
    const { nodes } = await cdp.send("Accessibility.getFullAXTree");
    const image = nodes.find((node) => node.role?.value === "image" && node.name?.value);
    const live = await page.$eval("[aria-live=polite]", (region) => region.textContent);
    return { name: image?.name.value, description: image?.description?.value ?? "", live };
}

test("English and German texts, in the controls and in the accessibility tree", async () => {
    const english = await open("?lang=en");
    await english.getByRole("radio", { name: "Convex" }).waitFor();
    const start = await accessibility(english);
    assert.equal(start.name, "Lens diagram");
    assert.match(start.description, /^Convex lens with a focal length of 80 pixels\./);
    assert.match(start.description, /200 pixels left of the lens, beyond 2F/);
    await press(english, ["o", "Shift+ArrowRight"]);
    await english.waitForFunction(() => /190 pixels left of the lens/.test(document.querySelector("[aria-live=polite]").textContent));
    assert.match((await accessibility(english)).description, /190 pixels left of the lens/);

    const german = await open("?lang=de");
    await german.getByRole("radio", { name: "Konvex" }).waitFor();
    await german.getByRole("checkbox", { name: "Linse anzeigen" }).waitFor();
    const deutsch = await accessibility(german);
    assert.equal(deutsch.name, "Linsendiagramm");
    assert.match(deutsch.description, /^Sammellinse \(konvex\) mit der Brennweite 80 Pixel\./);
});

test("the About dialog shows its three links", async () => {
    const page = await open("?lang=en");
    await page.getByRole("button", { name: "About" }).click();
    const dialog = page.getByRole("dialog");
    await dialog.waitFor();
    const links = await dialog.getByRole("link").evaluateAll((all) => all.map((a) => [a.textContent.trim(), a.href]));
    assert.equal(links.length, 3, JSON.stringify(links));
    assert.ok(links.every(([name, href]) => name !== "" && /^https?:\/\//.test(href)), JSON.stringify(links));
    assert.ok(links.some(([name, href]) => name === "Lenses on Wikipedia" && href === "http://en.wikipedia.org/wiki/Lens"));
    assert.equal(await page.evaluate(() => document.activeElement.textContent.trim()), "OK", "the focus on OK");
    await page.keyboard.press("Escape");
    await dialog.waitFor({ state: "hidden" });
});

test("a dictionary that cannot be parsed is said in the page, which shows English", async () => {
    const page = await openPage(session.browser);
    await page.route("**/broken.itl", (route) => route.fulfill({ body: "[Convex]=Konvex" }));
    await page.goto(`${session.web}/?dict=${encodeURIComponent(session.web + "/broken.itl")}`);
    await page.getByRole("radio", { name: "Convex" }).waitFor();
    await page.getByText(/broken\.itl/).first().waitFor();
    assert.deepEqual(page.problems.filter((p) => !p.includes("404")), []);
});

test("the host's dictionary through lmGetFile, and a broken one from the host", async () => {
    const page = await openPage(session.browser);
    await page.goto(`${session.host}/?frame=${encodeURIComponent(session.web + "/?lang=en")}`);
    // (Re)starts the frame with the host's fokalis.itl and gives the frame once registered.
    const startWith = async (dictionary) => {
        await page.setInputFiles("#files", { name: "fokalis.itl", mimeType: "application/octet-stream", buffer: dictionary });
        await page.waitForFunction((size) => document.getElementById("file-list").textContent.includes(`(${size} bytes)`),
            dictionary.length);
        await page.click("#start");
        await page.waitForFunction(() => document.getElementById("status").value.startsWith("registered"));
        return page.frames().find((f) => f.url().startsWith(session.web));
    };
    const german = await startWith(readFileSync(join(SourceDir, "dictionaries/german.itl")));
    await german.getByRole("radio", { name: "Konvex" }).waitFor();
    await german.getByRole("button", { name: "Beenden" }).waitFor();

    const broken = await startWith(Buffer.from("[Convex]=Konvex"));
    await broken.getByText(/Cannot use the dictionary "fokalis.itl" of the host/).waitFor();
    await broken.getByRole("radio", { name: "Convex" }).waitFor();
    assert.deepEqual(page.problems.filter((p) => !p.includes("404")), []);
});
