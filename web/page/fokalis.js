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
export function DictionaryChoice(core, location, languages) {
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
    const fallback = new URL(DictionaryFolder + core.FallbackDictionary, location.href);
    if (!choice.some((url) => url.href === fallback.href))
        choice.push(fallback);
    return choice;
}

class TFokalisPage {
    constructor(core) {
        this.FCore = core;
        this.FCanvas = $("FLenseGraph");
        // Read back by copy and tests; kept in memory, where putImageData is fastest anyway.
        this.FContext = this.FCanvas.getContext("2d", { willReadFrequently: true });
        this.FEmbedded = false;
        this.FPaintPending = false;
        this.FAnnounceTimer = 0;
        this.onExit = null;
        this.FCanvas.width = core.Width;
        this.FCanvas.height = core.Height;
        this.LoadLegend();
        this.LoadCommands();
        this.LoadDiagram();
        this.LoadKeyboard();
    }

    // --- the API above ---

    applyDictionary(bytes, source = "") {
        const data = bytes instanceof Uint8Array ? bytes : new Uint8Array(bytes);
        const problem = this.FCore.dictionarySizeProblem(data.length) ?? this.FCore.loadDictionary(data);
        if (problem !== null) {
            this.showMessage(`Cannot use the dictionary${source ? ` ${source}` : ""}: ${problem}.`);
            return problem;
        }
        // A message about an earlier dictionary no longer holds.
        this.showMessage("");
        this.Translate();
        return null;
    }

    state() {
        return { ...this.FCore.state(), showValues: $("CBShowValues").checked };
    }

    description() {
        return this.FCore.description();
    }

    values() {
        return this.FCore.values();
    }

    setEmbedded(flag) {
        this.FEmbedded = Boolean(flag);
        $("cmdExit").hidden = !this.FEmbedded;
    }

    showMessage(text) {
        $("MessageText").textContent = text;
        $("Message").hidden = text === "";
    }

    // --- the window ---

    LoadLegend() {
        const colours = this.FCore.state().legend;
        document.querySelectorAll("#PLegend li").forEach((row, index) => {
            row.style.color = colours[index];
        });
    }

    LoadCommands() {
        $("cmdExit").addEventListener("click", () => this.Exit());
        $("BButAbout").addEventListener("click", () => this.ShowAbout());
        for (const radio of document.querySelectorAll("input[name=LenseType]"))
            radio.addEventListener("change", () => this.Changed(this.FCore.setLensType(radio.value === "convex")));
        $("CBDrawLense").addEventListener("change", (event) =>
            this.Changed(this.FCore.setDisplayLens(event.target.checked)));
        $("CBShowValues").addEventListener("change", (event) => {
            $("Memo1").hidden = event.target.checked;
            $("MValues").hidden = !event.target.checked;
            this.UpdateTexts();
        });
        $("BButSave").addEventListener("click", () => this.Save());
        $("BButReset").addEventListener("click", () => this.Reset());
        $("MessageClose").addEventListener("click", () => this.showMessage(""));
    }

    LoadDiagram() {
        const canvas = this.FCanvas;
        canvas.addEventListener("pointerdown", (event) => {
            // One finger drags; a second one, and other buttons, do nothing.
            if (!event.isPrimary || event.button !== 0)
                return;
            // As on the desktop, a click does not take the focus: the keyboard's mark is
            // for those who came by Tab.
            event.preventDefault();
            canvas.setPointerCapture(event.pointerId);
            const [x, y] = this.PixelOf(event);
            this.Changed(this.FCore.pointerDown(x, y, document.activeElement === canvas), false);
        });
        canvas.addEventListener("pointermove", (event) => {
            if (!event.isPrimary || !canvas.hasPointerCapture(event.pointerId))
                return;
            const [x, y] = this.PixelOf(event);
            this.Changed(this.FCore.pointerMove(x, y), false);
        });
        const release = (event) => {
            if (!event.isPrimary || !canvas.hasPointerCapture(event.pointerId))
                return;
            canvas.releasePointerCapture(event.pointerId);
            this.FCore.pointerUp();
            this.Announce();
        };
        canvas.addEventListener("pointerup", release);
        canvas.addEventListener("pointercancel", release);
        canvas.addEventListener("lostpointercapture", () => this.FCore.pointerUp());
        canvas.addEventListener("keydown", (event) => this.DiagramKey(event));
        canvas.addEventListener("focus", () => this.ShowFocusRing());
        canvas.addEventListener("blur", () => this.ShowFocusRing());
    }

    // The pixel under the pointer, whatever the canvas's size on the screen.
    PixelOf(event) {
        const bounds = this.FCanvas.getBoundingClientRect();
        return [
            Math.floor(((event.clientX - bounds.left) * this.FCore.Width) / bounds.width),
            Math.floor(((event.clientY - bounds.top) * this.FCore.Height) / bounds.height),
        ];
    }

    DiagramKey(event) {
        if (event.ctrlKey || event.altKey || event.metaKey || !DiagramKeys.has(event.key))
            return;
        const result = this.FCore.press(DiagramKeys.get(event.key), event.shiftKey);
        if (result === KeyResult.Ignored)
            return;
        event.preventDefault();
        if (result === KeyResult.Moved)
            this.Changed(true);
        else
            this.ShowFocusRing();
        this.Announce();
    }

    // Window-wide keys: Ctrl+C copies the picture, Ctrl+S saves it, Alt+R resets it, F1
    // shows About, Ctrl+Q is Exit in an embedded session. Reset is not Ctrl+R as on the
    // desktop: in a browser that key reloads, and a reader keeps it.
    LoadKeyboard() {
        document.addEventListener("keydown", (event) => {
            const command = event.ctrlKey || event.metaKey;
            if (event.key === "F1") {
                event.preventDefault();
                this.ShowAbout();
            } else if (command && event.key.toLowerCase() === "s") {
                event.preventDefault();
                this.Save();
            } else if (command && event.key.toLowerCase() === "c" && !this.TextSelected()) {
                event.preventDefault();
                this.Copy();
            } else if (event.altKey && !command && event.code === "KeyR") {
                // By the key's place: with Alt, some systems give another character.
                event.preventDefault();
                this.Reset();
            } else if (command && event.key.toLowerCase() === "q" && this.FEmbedded) {
                event.preventDefault();
                this.Exit();
            }
        });
    }

    // A selection in the explanation or the values is copied as text, as usual.
    TextSelected() {
        const active = document.activeElement;
        if (active instanceof HTMLTextAreaElement && active.selectionStart !== active.selectionEnd)
            return true;
        return !document.getSelection().isCollapsed;
    }

    Exit() {
        if (this.FEmbedded && typeof this.onExit === "function")
            this.onExit();
    }

    Reset() {
        this.Changed(this.FCore.resetToStartValues());
    }

    ShowAbout() {
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
    Changed(changed, announce = true) {
        if (!changed)
            return;
        if (!this.FPaintPending) {
            this.FPaintPending = true;
            requestAnimationFrame(() => {
                this.FPaintPending = false;
                this.Paint();
            });
        }
        if (announce)
            this.Announce();
    }

    Paint() {
        this.FContext.putImageData(this.FCore.imageData(), 0, 0);
        this.ShowFocusRing();
        this.UpdateTexts();
    }

    ShowFocusRing() {
        const state = this.FCore.state();
        const ring = $("FocusRing");
        ring.hidden = document.activeElement !== this.FCanvas || state.keyTarget === "none";
        ring.style.left = `${state.keyPixel[0]}px`;
        ring.style.top = `${state.keyPixel[1]}px`;
    }

    // What the diagram says: its name and description, and the values while shown.
    UpdateTexts() {
        this.FCanvas.setAttribute("aria-label", this.FCore.name());
        $("DiagramDescription").textContent = this.FCore.description();
        if ($("CBShowValues").checked)
            $("MValues").value = this.FCore.values();
    }

    // The polite live region says the change once the keys or the pointer rest a moment,
    // so a listener hears the result, not every step.
    Announce() {
        clearTimeout(this.FAnnounceTimer);
        this.FAnnounceTimer = setTimeout(() => {
            $("Announcer").textContent = this.FCore.announcement();
        }, 250);
    }

    // Every text of the page from the dictionary.
    Translate() {
        const core = this.FCore;
        for (const element of document.querySelectorAll("[data-tk]"))
            element.textContent = core.translate(element.dataset.tk);
        for (const element of document.querySelectorAll("[data-tk-label]"))
            element.setAttribute("aria-label", core.translate(element.dataset.tkLabel));
        document.title = core.translate("Fokalis");
        $("Memo1").value = core.translate("MMExplain");
        $("DiagramHelp").textContent = core.translate("Lens Diagram Help");
        const language = core.translate("$dlglanguage$").toLowerCase();
        document.documentElement.lang = language === "lggerman" ? "de" : language === "lgenglish" ? "en" : "";
        this.TranslateAbout();
        this.UpdateTexts();
    }

    TranslateAbout() {
        const core = this.FCore;
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

    async Copy() {
        try {
            const blob = await this.PngBlob();
            await navigator.clipboard.write([new ClipboardItem({ "image/png": blob })]);
        } catch (error) {
            this.showMessage(`${this.FCore.translate("Cannot save the figure")}: ${error.message}`);
        }
    }

    PngBlob() {
        return new Promise((resolve, reject) => {
            this.FCanvas.toBlob((blob) => (blob ? resolve(blob) : reject(new Error("no picture"))), "image/png");
        });
    }

    async Save() {
        try {
            const svg = $("SaveFormat").value === "svg";
            const blob = svg ? new Blob([this.FCore.svg()], { type: "image/svg+xml" }) : await this.PngBlob();
            const link = document.createElement("a");
            link.href = URL.createObjectURL(blob);
            link.download = svg ? "fokalis.svg" : "fokalis.png";
            link.click();
            setTimeout(() => URL.revokeObjectURL(link.href), 0);
        } catch (error) {
            this.showMessage(`${this.FCore.translate("Cannot save the figure")}: ${error.message}`);
        }
    }
}

// Fetches the first dictionary of the choice that can serve; says which could not and why.
async function LoadFirstDictionary(page, choice) {
    const problems = [];
    for (const url of choice) {
        let problem;
        try {
            const response = await fetch(url);
            const size = Number(response.headers.get("Content-Length") ?? 0);
            problem = response.ok ? null : `the server answered ${response.status} ${response.statusText}`.trim();
            // Refused before it is read, as the desktop refuses such a file.
            if (problem === null)
                problem = page.FCore.dictionarySizeProblem(size);
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
    page.Translate();
    page.showMessage(`${problems.join(" ")} The page shows its keys.`);
}

async function Start() {
    const core = await TCore.create();
    const page = new TFokalisPage(core);
    page.Paint();
    await LoadFirstDictionary(page, DictionaryChoice(core, window.location, navigator.languages ?? []));
    // HOST LINK: hostlink.js connects the page to an embedding parent here, once the page
    // stands and has its first dictionary.
    connectHost(page);
    return page;
}

const ready = Start();
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
