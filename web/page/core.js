// The core as the page uses it: the WebAssembly module's C functions behind methods that
// take and give JavaScript values. Every rule (drawing, dragging, keys, texts) is the
// core's; this only carries numbers, bytes and texts across.
import FokalisCore from "./fokalis-core.js";

// The keys the core knows, in its order (TDiagramKey).
export const DiagramKey = Object.freeze({
    ChooseObject: 0,
    ChooseFocus: 1,
    ChooseDoubleFocus: 2,
    Leave: 3,
    Left: 4,
    Right: 5,
    Up: 6,
    Down: 7,
});

// What a key did (TLenseKeyboard::TResult).
export const KeyResult = Object.freeze({ Ignored: 0, Chosen: 1, Moved: 2 });

export class TCore {
    static async create() {
        return new TCore(await FokalisCore());
    }

    constructor(module) {
        this.module = module;
        this.width = module._FokalisWidth();
        this.height = module._FokalisHeight();
        this.version = this.text(module._FokalisVersion());
        this.fallbackDictionary = this.text(module._FokalisFallbackDictionary());
    }

    text(address) {
        return this.module.UTF8ToString(address);
    }

    withString(value, call) {
        const bytes = new TextEncoder().encode(value);
        return this.withBytes(bytes, (address) => call(address), true);
    }

    // Copies bytes into the module's memory for the length of one call.
    withBytes(bytes, call, terminate = false) {
        const address = this.module._malloc(bytes.length + 1);
        if (!address)
            throw new Error("out of memory");
        try {
            this.module.HEAPU8.set(bytes, address);
            if (terminate)
                this.module.HEAPU8[address + bytes.length] = 0;
            return call(address, bytes.length);
        } finally {
            this.module._free(address);
        }
    }

    // Null when the bytes were loaded as the dictionary, else why they cannot serve.
    loadDictionary(bytes) {
        const problem = this.withBytes(bytes, (address, size) => this.text(this.module._FokalisLoadDictionary(address, size)));
        return problem === "" ? null : problem;
    }

    // Why a dictionary of size bytes is refused before it is read, or null.
    dictionarySizeProblem(size) {
        const problem = this.text(this.module._FokalisDictionarySizeProblem(size));
        return problem === "" ? null : problem;
    }

    translate(key) {
        return this.withString(key, (address) => this.text(this.module._FokalisTranslate(address)));
    }

    aboutTexts() {
        return { webSite: this.text(this.module._FokalisAboutText(0)), description: this.text(this.module._FokalisAboutText(1)) };
    }

    dictionaryOfLocale(locale) {
        return this.withString(locale, (address) => this.text(this.module._FokalisDictionaryOfLocale(address)));
    }

    setLensType(convex) {
        return this.module._FokalisSetLenseType(convex ? 1 : 0) !== 0;
    }

    setDisplayLens(display) {
        return this.module._FokalisSetDrawLense(display ? 1 : 0) !== 0;
    }

    resetToStartValues() {
        return this.module._FokalisResetToStartValues() !== 0;
    }

    pointerDown(x, y, focused) {
        return this.module._FokalisPointerDown(x, y, focused ? 1 : 0) !== 0;
    }

    pointerMove(x, y) {
        return this.module._FokalisPointerMove(x, y) !== 0;
    }

    pointerUp() {
        this.module._FokalisPointerUp();
    }

    press(key, shift) {
        return this.module._FokalisPress(key, shift ? 1 : 0);
    }

    // The picture as ImageData, composed when something changed since the last call. The
    // ImageData looks into the module's memory rather than holding a copy: it is made anew
    // only when the memory grew (which detaches the old view) or the picture moved, and
    // its bytes are valid until the next call into the core.
    imageData() {
        const address = this.module._FokalisPixels();
        const buffer = this.module.HEAPU8.buffer;
        const image = this.image;
        if (image === undefined || image.data.buffer !== buffer || image.data.byteOffset !== address) {
            const bytes = new Uint8ClampedArray(buffer, address, this.width * this.height * 4);
            this.image = new ImageData(bytes, this.width, this.height);
        }
        return this.image;
    }

    svg() {
        return this.text(this.module._FokalisSvg());
    }

    name() {
        return this.text(this.module._FokalisName());
    }

    description() {
        return this.text(this.module._FokalisDescription());
    }

    announcement() {
        return this.text(this.module._FokalisAnnouncement());
    }

    values() {
        return this.text(this.module._FokalisValues());
    }

    state() {
        return JSON.parse(this.text(this.module._FokalisStateJson()));
    }
}
