// What the browser tests and the browser benchmarks share: static servers on 127.0.0.1,
// Debian's chromium through playwright-core, and where the built page and tools are.
import { createServer } from "node:http";
import { readFile, stat } from "node:fs/promises";
import { extname, join, normalize, resolve, sep } from "node:path";
import { fileURLToPath } from "node:url";
import { chromium } from "playwright-core";

export const SourceDir = resolve(fileURLToPath(import.meta.url), "../../..");
// The folder `make web` fills, and the native build's render tool.
export const WebDir = resolve(process.env.FOKALIS_WEB_DIR || join(SourceDir, "build-web/site"));
export const BuildDir = resolve(process.env.FOKALIS_BUILD_DIR || join(SourceDir, "build"));
export const HostDir = join(SourceDir, "tools/lernix-web-host");

const Types = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".mjs": "text/javascript; charset=utf-8",
    ".wasm": "application/wasm",
    ".css": "text/css; charset=utf-8",
    ".png": "image/png",
    ".svg": "image/svg+xml",
    ".itl": "application/octet-stream",
    ".json": "application/json",
};

// The file below one of roots (the first that has it) for a request's path, or null.
async function find(roots, path) {
    for (const root of roots) {
        let file = normalize(join(root, path));
        if (file !== root && !file.startsWith(root + sep))
            return null;
        try {
            if ((await stat(file)).isDirectory())
                file = join(file, "index.html");
            return { file, body: await readFile(file) };
        } catch {
            continue;
        }
    }
    return null;
}

// Serves the files below roots on 127.0.0.1 at a free port; gives { origin, close }.
// Nothing is cached, so each test sees the files as they are on disk.
export async function serve(...roots) {
    const server = createServer(async (request, response) => {
        const found = await find(roots, decodeURIComponent(new URL(request.url, "http://x").pathname));
        if (!found) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, {
            "Content-Type": Types[extname(found.file)] ?? "application/octet-stream",
            "Cache-Control": "no-store",
        });
        response.end(found.body);
    });
    await new Promise((done) => server.listen(0, "127.0.0.1", done));
    const origin = `http://127.0.0.1:${server.address().port}`;
    return { origin, close: () => new Promise((done) => server.close(done)) };
}

// Debian's chromium, headless; as root it cannot use its sandbox.
export function launch() {
    return chromium.launch({
        executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
        headless: true,
        args: process.getuid?.() === 0 ? ["--no-sandbox"] : [],
    });
}

// A browser, the page's server and the reference host's server for one test file; the
// host is served from another origin than the page, as it is in a book.
export async function startSession() {
    const browser = await launch();
    const web = await serve(WebDir);
    const host = await serve(HostDir);
    return {
        browser,
        web: web.origin,
        host: host.origin,
        async close() {
            await browser.close();
            await web.close();
            await host.close();
        },
    };
}

// A new page whose console errors and unhandled exceptions are collected in page.problems.
export async function openPage(browser, options = {}) {
    const context = await browser.newContext({ deviceScaleFactor: 1, ...options });
    const page = await context.newPage();
    page.problems = [];
    page.on("pageerror", (error) => page.problems.push(error.message));
    page.on("console", (message) => {
        if (message.type() === "error")
            page.problems.push(message.text());
    });
    return page;
}
