// The page's main module: Fokalis's main window as HTML around the core's diagram.
//
// The page object, for the host link (and for tests, as window.fokalisPage):
//   page.ready                 a promise that settles once the first dictionary is in and
//                              the diagram painted; it gives the page object.
//   page.applyDictionary(bytes, source)
//                              loads a dictionary given as bytes (Uint8Array or
//                              ArrayBuffer) and re-texts every control, the diagram's
//                              name and description and the values. Gives null when it
//                              was loaded, else the reason it cannot serve (the texts
//                              stay); source names it in the message the page shows.
//   page.state()               the settings: { objectX, objectH, f, lensType ("convex" or
//                              "concave"), displayLens, showValues, keyTarget ("none",
//                              "object", "focus" or "doubleFocus"), keyPixel [x, y],
//                              legend [4 colours] }.
//   page.description()         what the diagram shows, in sentences.
//   page.values()              the thin-lens values, one line each.
//   page.setEmbedded(flag)     an embedded session shows Exit (and Ctrl+Q); standalone
//                              hides it, since a page cannot end itself.
//   page.onExit                called by Exit while embedded; null does nothing.
//   page.showMessage(text)     shows a message above the diagram; an empty text hides it.
// Nothing on this list changes once committed; additions go at its end.
import { DiagramKey, KeyResult, TCore } from "./core.js";
import { connectHost } from "./hostlink.js";

const DictionaryFolder = "dictionaries/";

// Browser keys to the diagram's keys; the rules for them are the core's.
const DiagramKeys = new Map([
    ["o", DiagramKey.ChooseObject],
    ["O", DiagramKey.ChooseObject],
    ["f", DiagramKey.ChooseFocus],
    ["F", DiagramKey.ChooseFocus],
    ["2", DiagramKey.ChooseDoubleFocus],
    ["Escape", DiagramKey.Leave],
    ["ArrowLeft", DiagramKey.Left],
    ["ArrowRight", DiagramKey.Right],
    ["ArrowUp", DiagramKey.Up],
    ["ArrowDown", DiagramKey.Down],
]);

const $ = (id) => document.getElementById(id);

// The dictionaries to try, most wanted first, each { url, label }: ?dict=<address>, else
// ?lang=<language>, else the browser's languages; English always last.
export function dictionaryChoice(core, location, languages) {
    const params = new URL(location.href).searchParams;
    const choice = [];
    const dict = params.get("dict");
    if (dict !== null) {
        choice.push(new URL(dict, location.href));
    } else {
        const wanted = params.has("lang") ? [params.get("lang")] : languages;
        for (const language of wanted) {
            // Locale names as the core reads them: de_DE, not de-DE.
            const file = core.dictionaryOfLocale(String(language).replaceAll("-", "_"));
            if (file !== "") {
                choice.push(new URL(DictionaryFolder + file, location.href));
                break;
            }
        }
    }
    const fallback = new URL(DictionaryFolder + core.fallbackDictionary, location.href);
    if (!choice.some((url) => url.href === fallback.href))
        choice.push(fallback);
    return choice;
}

class TFokalisPage {
    constructor(core) {
        this.core = core;
        this.canvas = $("FLenseGraph");
        // Read back by copy and tests; kept in memory, where putImageData is fastest anyway.
        this.context = this.canvas.getContext("2d", { willReadFrequently: true });
        this.embedded = false;
        this.paintPending = false;
        this.announceTimer = 0;
        this.onExit = null;
        this.canvas.width = core.width;
        this.canvas.height = core.height;
        this.loadLegend();
        this.loadCommands();
        this.loadDiagram();
        this.loadKeyboard();
    }

    // --- the API above ---

    applyDictionary(bytes, source = "") {
        const data = bytes instanceof Uint8Array ? bytes : new Uint8Array(bytes);
        const problem = this.core.dictionarySizeProblem(data.length) ?? this.core.loadDictionary(data);
        if (problem !== null) {
            this.showMessage(`Cannot use the dictionary${source ? ` ${source}` : ""}: ${problem}.`);
            return problem;
        }
        // A message about an earlier dictionary no longer holds.
        this.showMessage("");
        this.translate();
        return null;
    }

    state() {
        return { ...this.core.state(), showValues: $("CBShowValues").checked };
    }

    description() {
        return this.core.description();
    }

    values() {
        return this.core.values();
    }

    setEmbedded(flag) {
        this.embedded = Boolean(flag);
        $("cmdExit").hidden = !this.embedded;
    }

    showMessage(text) {
        $("MessageText").textContent = text;
        $("Message").hidden = text === "";
    }

    // --- the window ---

    loadLegend() {
        const colours = this.core.state().legend;
        document.querySelectorAll("#PLegend li").forEach((row, index) => {
            row.style.color = colours[index];
        });
    }

    loadCommands() {
        $("cmdExit").addEventListener("click", () => this.exit());
        $("BButAbout").addEventListener("click", () => this.showAbout());
        for (const radio of document.querySelectorAll("input[name=LenseType]"))
            radio.addEventListener("change", () => this.afterChange(this.core.setLensType(radio.value === "convex")));
        $("CBDrawLense").addEventListener("change", (event) =>
            this.afterChange(this.core.setDisplayLens(event.target.checked)));
        $("CBShowValues").addEventListener("change", (event) => {
            $("Memo1").hidden = event.target.checked;
            $("MValues").hidden = !event.target.checked;
            this.updateTexts();
        });
        $("BButSave").addEventListener("click", () => this.save());
        $("BButReset").addEventListener("click", () => this.reset());
        $("MessageClose").addEventListener("click", () => this.showMessage(""));
    }

    loadDiagram() {
        const canvas = this.canvas;
        canvas.addEventListener("pointerdown", (event) => {
            // One finger drags; a second one, and other buttons, do nothing.
            if (!event.isPrimary || event.button !== 0)
                return;
            // As on the desktop, a click does not take the focus: the keyboard's mark is
            // for those who came by Tab.
            event.preventDefault();
            canvas.setPointerCapture(event.pointerId);
            const [x, y] = this.pixelOf(event);
            this.afterChange(this.core.pointerDown(x, y, document.activeElement === canvas), false);
        });
        canvas.addEventListener("pointermove", (event) => {
            if (!event.isPrimary || !canvas.hasPointerCapture(event.pointerId))
                return;
            const [x, y] = this.pixelOf(event);
            this.afterChange(this.core.pointerMove(x, y), false);
        });
        const release = (event) => {
            if (!event.isPrimary || !canvas.hasPointerCapture(event.pointerId))
                return;
            canvas.releasePointerCapture(event.pointerId);
            this.core.pointerUp();
            this.announce();
        };
        canvas.addEventListener("pointerup", release);
        canvas.addEventListener("pointercancel", release);
        canvas.addEventListener("lostpointercapture", () => this.core.pointerUp());
        canvas.addEventListener("keydown", (event) => this.diagramKey(event));
        canvas.addEventListener("focus", () => this.showFocusRing());
        canvas.addEventListener("blur", () => this.showFocusRing());
    }

    // The pixel under the pointer, whatever the canvas's size on the screen.
    pixelOf(event) {
        const bounds = this.canvas.getBoundingClientRect();
        return [
            Math.floor(((event.clientX - bounds.left) * this.core.width) / bounds.width),
            Math.floor(((event.clientY - bounds.top) * this.core.height) / bounds.height),
        ];
    }

    diagramKey(event) {
        if (event.ctrlKey || event.altKey || event.metaKey || !DiagramKeys.has(event.key))
            return;
        const result = this.core.press(DiagramKeys.get(event.key), event.shiftKey);
        if (result === KeyResult.Ignored)
            return;
        event.preventDefault();
        if (result === KeyResult.Moved)
            this.afterChange(true);
        else
            this.showFocusRing();
        this.announce();
    }

    // Window-wide keys: Ctrl+C copies the picture, Ctrl+S saves it, Alt+R resets it, F1
    // shows About, Ctrl+Q is Exit in an embedded session. Reset is not Ctrl+R as on the
    // desktop: in a browser that key reloads, and a reader keeps it.
    loadKeyboard() {
        document.addEventListener("keydown", (event) => {
            const command = event.ctrlKey || event.metaKey;
            if (event.key === "F1") {
                event.preventDefault();
                this.showAbout();
            } else if (command && event.key.toLowerCase() === "s") {
                event.preventDefault();
                this.save();
            } else if (command && event.key.toLowerCase() === "c" && !this.textSelected()) {
                event.preventDefault();
                this.copy();
            } else if (event.altKey && !command && event.code === "KeyR") {
                // By the key's place: with Alt, some systems give another character.
                event.preventDefault();
                this.reset();
            } else if (command && event.key.toLowerCase() === "q" && this.embedded) {
                event.preventDefault();
                this.exit();
            }
        });
    }

    // A selection in the explanation or the values is copied as text, as usual.
    textSelected() {
        const active = document.activeElement;
        if (active instanceof HTMLTextAreaElement && active.selectionStart !== active.selectionEnd)
            return true;
        return !document.getSelection().isCollapsed;
    }

    exit() {
        if (this.embedded && typeof this.onExit === "function")
            this.onExit();
    }

    reset() {
        this.afterChange(this.core.resetToStartValues());
    }

    showAbout() {
        const about = $("FrmAbout");
        if (about.open)
            return;
        about.showModal();
        // By script, not by autofocus: Chromium refuses autofocus in a frame of another
        // origin, and an embedded page is one.
        $("BButOK").focus();
    }

    // After a change of the diagram: paint at the next frame, and tell listeners unless
    // a drag is going on (its end tells them).
    afterChange(changed, announce = true) {
        if (!changed)
            return;
        if (!this.paintPending) {
            this.paintPending = true;
            requestAnimationFrame(() => {
                this.paintPending = false;
                this.paint();
            });
        }
        if (announce)
            this.announce();
    }

    paint() {
        this.context.putImageData(this.core.imageData(), 0, 0);
        this.showFocusRing();
        this.updateTexts();
    }

    showFocusRing() {
        const state = this.core.state();
        const ring = $("FocusRing");
        ring.hidden = document.activeElement !== this.canvas || state.keyTarget === "none";
        ring.style.left = `${state.keyPixel[0]}px`;
        ring.style.top = `${state.keyPixel[1]}px`;
    }

    // What the diagram says: its name and description, and the values while shown.
    updateTexts() {
        this.canvas.setAttribute("aria-label", this.core.name());
        $("DiagramDescription").textContent = this.core.description();
        if ($("CBShowValues").checked)
            $("MValues").value = this.core.values();
    }

    // The polite live region says the change once the keys or the pointer rest a moment,
    // so a listener hears the result, not every step.
    announce() {
        clearTimeout(this.announceTimer);
        this.announceTimer = setTimeout(() => {
            $("Announcer").textContent = this.core.announcement();
        }, 250);
    }

    // Every text of the page from the dictionary.
    translate() {
        const core = this.core;
        for (const element of document.querySelectorAll("[data-tk]"))
            element.textContent = core.translate(element.dataset.tk);
        for (const element of document.querySelectorAll("[data-tk-label]"))
            element.setAttribute("aria-label", core.translate(element.dataset.tkLabel));
        document.title = core.translate("Fokalis");
        $("Memo1").value = core.translate("MMExplain");
        $("DiagramHelp").textContent = core.translate("Lens Diagram Help");
        const language = core.translate("$dlglanguage$").toLowerCase();
        document.documentElement.lang = language === "lggerman" ? "de" : language === "lgenglish" ? "en" : "";
        this.translateAbout();
        this.updateTexts();
    }

    translateAbout() {
        const core = this.core;
        $("LblVersion").textContent = `Version ${core.Version}`;
        const about = core.aboutTexts();
        $("LblWebSite").textContent = about.webSite;
        $("LblDescription").textContent = about.description;
        // The home page shows only with a caption of its own and a web address: the
        // dictionary must not open anything else.
        const caption = core.translate("HomePage");
        let address = null;
        try {
            address = new URL(core.translate("HomePageURL"));
        } catch {
            address = null;
        }
        const web = address !== null && (address.protocol === "http:" || address.protocol === "https:");
        $("HomepageItem").hidden = !web || caption === "" || caption === "HomePage";
        if (web)
            $("UrlLabHomepage").href = address.href;
        else
            $("UrlLabHomepage").removeAttribute("href");
    }

    async copy() {
        try {
            const blob = await this.pngBlob();
            await navigator.clipboard.write([new ClipboardItem({ "image/png": blob })]);
        } catch (error) {
            this.showMessage(`${this.core.translate("Cannot save the figure")}: ${error.message}`);
        }
    }

    pngBlob() {
        return new Promise((resolve, reject) => {
            this.canvas.toBlob((blob) => (blob ? resolve(blob) : reject(new Error("no picture"))), "image/png");
        });
    }

    async save() {
        try {
            const svg = $("SaveFormat").value === "svg";
            const blob = svg ? new Blob([this.core.svg()], { type: "image/svg+xml" }) : await this.pngBlob();
            const link = document.createElement("a");
            link.href = URL.createObjectURL(blob);
            link.download = svg ? "fokalis.svg" : "fokalis.png";
            link.click();
            setTimeout(() => URL.revokeObjectURL(link.href), 0);
        } catch (error) {
            this.showMessage(`${this.core.translate("Cannot save the figure")}: ${error.message}`);
        }
    }
}

// Fetches the first dictionary of the choice that can serve; says which could not and why.
async function loadFirstDictionary(page, choice) {
    const problems = [];
    for (const url of choice) {
        let problem;
        try {
            const response = await fetch(url);
            const size = Number(response.headers.get("Content-Length") ?? 0);
            problem = response.ok ? null : `the server answered ${response.status} ${response.statusText}`.trim();
            // Refused before it is read, as the desktop refuses such a file.
            if (problem === null)
                problem = page.core.dictionarySizeProblem(size);
            if (problem === null)
                problem = page.applyDictionary(await response.arrayBuffer(), url.href);
        } catch (error) {
            problem = `it cannot be fetched (${error.message})`;
        }
        if (problem === null) {
            page.showMessage(problems.join(" "));
            return;
        }
        problems.push(`Cannot use the dictionary ${url.href}: ${problem}.`);
    }
    page.translate();
    page.showMessage(`${problems.join(" ")} The page shows its keys.`);
}

async function start() {
    const core = await TCore.create();
    const page = new TFokalisPage(core);
    page.paint();
    await loadFirstDictionary(page, dictionaryChoice(core, window.location, navigator.languages ?? []));
    // HOST LINK: hostlink.js connects the page to an embedding parent here, once the page
    // stands and has its first dictionary.
    connectHost(page);
    return page;
}

const ready = start();
window.fokalisPage = { ready };
ready.then(
    (page) => {
        page.ready = ready;
        window.fokalisPage = page;
        document.documentElement.dataset.fokalis = "ready";
    },
    (error) => {
        document.documentElement.dataset.fokalis = "failed";
        $("MessageText").textContent = `Fokalis cannot start: ${error.message}`;
        $("Message").hidden = false;
    });
