// The diagram's composition as WebAssembly in Debian's chromium against the native
// composition of the same scene (bench_paint's Composition at 608 x 475: the start values
// with the object 50 pixels left of the lens), one run each, as a ratio.
// Usage: node bench/web/composition.mjs [rounds]
//   after `make web` and a native build with benchmarks (FOKALIS_WEB_DIR, FOKALIS_BUILD_DIR
//   as for the browser tests).
import { execFileSync } from "node:child_process";
import { join } from "node:path";
import { BuildDir, WebDir, launch, serve } from "../../tests/web/harness.js";

const rounds = Number(process.argv[2] ?? 2000);

const native = JSON.parse(execFileSync(join(BuildDir, "bench/bench_paint"),
    ["--benchmark_filter=^Composition/608/475$", "--benchmark_format=json"], { encoding: "utf8" }));
const nativeMicroseconds = native.benchmarks[0].cpu_time;

const browser = await launch();
const server = await serve(WebDir);
const page = await browser.newPage();
await page.goto(server.origin + "/");
// A core of its own, through the page's module; the object moves one pixel to and fro so
// that every round composes anew (the core composes only after a change). The composition
// alone is the module's C function behind imageData (paint, then the copy into RGBA bytes,
// as the native case copies to a screen buffer); the hand-over adds the page's imageData
// and its putImageData.
const wasm = await page.evaluate(async (rounds) => {
    const { DiagramKey, TCore } = await import("./core.js");
    const core = await TCore.create();
    const context = document.createElement("canvas").getContext("2d");
    core.press(DiagramKey.ChooseObject, false);
    for (let step = 0; step < 15; ++step)
        core.press(DiagramKey.Right, true);
    const perRound = (compose) => {
        for (let round = 0; round < rounds / 10; ++round) {
            core.press(round % 2 ? DiagramKey.Right : DiagramKey.Left, false);
            compose();
        }
        const start = performance.now();
        for (let round = 0; round < rounds; ++round) {
            core.press(round % 2 ? DiagramKey.Right : DiagramKey.Left, false);
            compose();
        }
        return ((performance.now() - start) * 1000) / rounds;
    };
    return {
        composition: perRound(() => core.module._FokalisPixels()),
        handOver: perRound(() => context.putImageData(core.imageData(), 0, 0)),
    };
}, rounds);
await browser.close();
await server.close();

const ratio = (microseconds) => (microseconds / nativeMicroseconds).toFixed(1);
console.log(`composition 608 x 475, native ${nativeMicroseconds.toFixed(1)} µs;`
    + ` WebAssembly ${wasm.composition.toFixed(1)} µs (ratio ${ratio(wasm.composition)}),`
    + ` with the hand-over to the canvas ${wasm.handOver.toFixed(1)} µs (ratio ${ratio(wasm.handOver)})`);
