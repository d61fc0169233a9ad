// The host link on the web between the reference host page and a frame that holds only the
// link, so that the protocol is tried on its own; page.test.js tries it with the real page.
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { join } from "node:path";
import { HostDir, SourceDir, launch, openPage, serve } from "./harness.js";

const Fixtures = join(SourceDir, "tests/web/fixtures");
const NotRunning = "Lernix server application is not running";
let browser, frameServer, hostServer, strangerServer;

before(async () => {
    browser = await launch();
    frameServer = await serve(Fixtures, join(SourceDir, "web/page"));
    hostServer = await serve(HostDir);
    strangerServer = await serve(Fixtures);
});

after(async () => {
    await browser.close();
    await Promise.all([frameServer.close(), hostServer.close(), strangerServer.close()]);
});

const frameAddress = () => `${frameServer.origin}/hosted.html`;

// The reference host with its answers set, its frame started and registered.
async function hostedPage({ values = "", files = [] } = {}) {
    const page = await openPage(browser);
    await page.goto(hostServer.origin + "/");
    await page.fill("#frame-address", frameAddress());
    await page.fill("#values", values);
    if (files.length)
        await page.setInputFiles("#files", files);
    await page.click("#start");
    await page.waitForFunction(() => document.getElementById("status").value.startsWith("registered"));
    const frame = page.frames().find((f) => f.url().startsWith(frameServer.origin));
    return { page, frame };
}

const log = (page) => page.$$eval("#log li", (items) => items.map((item) => item.textContent));
const output = (frame, id) => frame.$eval("#" + id, (element) => element.value);
const ask = (frame, method, argument) =>
    frame.evaluate(async ([method, argument]) => {
        const { link } = await import("./hostlink.js");
        try {
            return await link[method](argument);
        } catch (error) {
            return "rejected: " + error.message;
        }
    }, [method, argument]);

test("the host answers values and the dictionary, and a quit unregisters the frame", async () => {
    const dictionary = Buffer.from("TK_Fokalis=Fokalis\r\n");
    const { page, frame } = await hostedPage({
        values: "HomePageURL=https://example.org/\n# a comment\nGreeting=a=b",
        files: [{ name: "fokalis.itl", mimeType: "application/octet-stream", buffer: dictionary }],
    });
    await frame.waitForFunction(() => document.getElementById("dictionary").value !== "");
    assert.equal(await output(frame, "dictionary"), dictionary.toString());
    assert.equal(await ask(frame, "getValue", "HomePageURL"), "https://example.org/");
    assert.equal(await ask(frame, "getValue", "Unknown"), "");
    assert.equal(await ask(frame, "queryString", "Greeting"), "a=b");
    assert.equal(await ask(frame, "getFile", "missing.itl"), null);

    await page.click("#quit");
    await page.waitForFunction(() => document.getElementById("status").value === "unregistered");
    assert.equal(await page.$("iframe"), null, "the host removes the frame of an ended session");
    const traffic = await log(page);
    const quit = traffic.indexOf("→ lmQuit serverDown=false");
    assert.ok(quit > 0 && traffic[quit + 1].startsWith("← lmUnregister #"), traffic.join("\n"));
    assert.deepEqual(page.problems.filter((p) => !p.includes("404")), []);
});

test("a host going down gets no unregistration, and the page's Exit unregisters", async () => {
    const down = await hostedPage();
    assert.equal(await output(down.frame, "embedded"), "true");
    await down.page.click("#shut-down");
    await down.frame.waitForURL("about:blank");
    await down.page.waitForTimeout(200);
    assert.ok(!(await log(down.page)).some((line) => line.includes("lmUnregister")));

    const exit = await hostedPage();
    await exit.frame.evaluate(() => window.fixturePage.onExit());
    await exit.page.waitForFunction(() => document.getElementById("status").value === "unregistered");
    assert.equal(await exit.page.$("iframe"), null);
});

test("parameters from the host replace the list and bring the frame the focus", async () => {
    const { page, frame } = await hostedPage();
    await page.fill("#params", "/lesson=3\n/x");
    await page.click("#send-params");
    await frame.waitForFunction(() => document.hasFocus());
    assert.deepEqual(await frame.evaluate(async () => (await import("./hostlink.js")).link.params), ["/lesson=3", "/x"]);
});

test("a silent host times out with the desktop's texts; messages from other origins are ignored", async () => {
    // A stranger embeds the frame naming the reference host's origin as its host: the frame's
    // messages never reach the stranger, and the stranger's quit is not taken.
    const stranger = await openPage(browser);
    await stranger.goto(strangerServer.origin + "/hosted.html");
    const strangerSaw = stranger.evaluate((address) => new Promise((done) => {
        const seen = [];
        window.addEventListener("message", (event) => seen.push(event.data));
        const frame = document.createElement("iframe");
        frame.src = address;
        frame.onload = () => {
            const quit = { protocol: "lernix", version: 1, kind: "lmQuit", serverDown: true };
            frame.contentWindow.postMessage(quit, "*");
            frame.contentWindow.postMessage({ ...quit, kind: "lmReply", id: 1 }, "*");
            setTimeout(() => done(seen), 1000);
        };
        document.body.append(frame);
    }), `${frameAddress()}?host=${encodeURIComponent(hostServer.origin)}`);

    const silent = await hostedPage();
    await silent.page.check("#silent");
    const unanswered = ask(silent.frame, "getValue", "HomePageURL");

    assert.deepEqual(await strangerSaw, []);
    const strangerFrame = stranger.frames().find((f) => f.url().includes("?host="));
    assert.notEqual(strangerFrame, undefined, "the stranger's quit did not end the frame");
    await strangerFrame.waitForFunction((text) => document.getElementById("message").value === text, NotRunning,
        { timeout: 8000 });
    assert.equal(await unanswered, "rejected: Stream read error");
});

test("a page not in a frame, or naming no origin, finds no host at once", async () => {
    const page = await openPage(browser);
    for (const host of [hostServer.origin, "*", "file:///tmp"]) {
        await page.goto(`${frameAddress()}?host=${encodeURIComponent(host)}`);
        assert.equal(await output(page, "message"), NotRunning, host);
    }
});

test("the reference host ignores messages that do not come from its frame", async () => {
    const { page } = await hostedPage();
    await page.evaluate(() => window.postMessage({ protocol: "lernix", version: 1, kind: "lmUnregister", id: 9 }, "*"));
    await page.waitForFunction(() => document.querySelector("#log li.ignored") !== null);
    assert.match(await page.$eval("#status", (s) => s.value), /^registered/);
});

test("a reply whose answer has the wrong type is no answer, and a second reply is dropped", async () => {
    const { page, frame } = await hostedPage();
    await page.check("#silent");
    const warnings = [];
    page.on("console", (message) => message.type() === "warning" && warnings.push(message.text()));
    const asked = ask(frame, "getValue", "HomePageURL");
    await page.waitForFunction(() => /lmGetValue #\d+/.test(document.getElementById("log").textContent));
    const id = Number((await log(page)).join("\n").match(/lmGetValue #(\d+)/)[1]);
    const reply = (value) => page.evaluate(([id, value]) => {
        const frame = document.querySelector("iframe");
        frame.contentWindow.postMessage({ protocol: "lernix", version: 1, kind: "lmReply", id, value },
            new URL(frame.src).origin);
    }, [id, value]);
    await reply(42);
    assert.equal(await asked, "rejected: Stream read error");
    await reply("late");
    await page.waitForTimeout(200);
    assert.ok(warnings.some((w) => w.includes("dropped a reply that no request waits for")), warnings.join("\n"));
});
