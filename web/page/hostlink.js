// The page's side of the host link on the web. A page that embeds Fokalis in an <iframe>
// is its host: the requests of the desktop's host link that make sense in a browser travel
// as window.postMessage messages between this frame and its parent. docs/host-protocol.md
// ("Web") defines the messages; this module and tools/lernix-web-host are their two ends.

export const Protocol = "lernix";
export const Version = 1;
// A postMessage reports no progress, so a request has the desktop's silence bound in all.
export const ReplyTimeout = 5000;
// The desktop's texts for a host that is not there and for a request it does not answer.
export const NotRunning = "Lernix server application is not running";
export const ReadError = "Stream read error";

const ExeName = "fokalis";
const Title = "Fokalis";
const DictionaryName = ExeName + ".itl";

// The origin the page's address allows as its host (`?host=<origin>`), undefined when the
// address names none (standalone), null when the value is no web origin. A path or a
// trailing slash after the origin is dropped; "*" and opaque origins are never allowed, so
// that the link's messages cannot reach a page the integrator did not name.
export function allowedHostOrigin(search) {
    const value = new URLSearchParams(search).get("host");
    if (value === null)
        return undefined;
    try {
        const origin = new URL(value).origin;
        return origin === "null" ? null : origin;
    } catch {
        return null;
    }
}

function isMessage(data) {
    return typeof data === "object" && data !== null && data.protocol === Protocol && data.version === Version
        && typeof data.kind === "string";
}

function asBytes(value) {
    if (value instanceof ArrayBuffer)
        return new Uint8Array(value);
    if (ArrayBuffer.isView(value))
        return new Uint8Array(value.buffer, value.byteOffset, value.byteLength);
    return null;
}

export class THostLink {
    // view: this frame's window; its parent is the host, origin the one allowed for it.
    constructor(view, origin) {
        this.view = view;
        this.host = view.parent;
        this.origin = origin;
        this.nextId = 1;
        this.waiting = new Map();
        this.registered = false;
        this.serverDown = false;
        this.ended = false;
        // The parameter list the host last sent.
        this.params = [];
        // () => called once when the session has ended, by the host's quit or the page's Exit.
        this.onEnd = null;
        // (params) => a new parameter list from the host.
        this.onParams = null;
        this.listener = (event) => this.receive(event);
        view.addEventListener("message", this.listener);
    }

    receive(event) {
        // Other scripts use postMessage too: only the allowed parent, and only our messages.
        if (event.source !== this.host || event.origin !== this.origin || !isMessage(event.data))
            return;
        const message = event.data;
        if (message.kind === "lmReply")
            this.takeReply(message);
        else if (message.kind === "lmQuit")
            this.takeQuit(message);
        else if (message.kind === "lmParams")
            this.takeParams(message);
    }

    takeQuit(message) {
        if (typeof message.serverDown === "boolean")
            this.quit(message.serverDown);
        else
            console.warn("host link: dropped an lmQuit without a Boolean serverDown");
    }

    takeParams(message) {
        if (!Array.isArray(message.params) || !message.params.every((p) => typeof p === "string")) {
            console.warn("host link: dropped an lmParams whose params are not texts");
            return;
        }
        this.params = message.params;
        if (this.onParams)
            this.onParams(message.params);
    }

    takeReply(message) {
        const request = this.waiting.get(message.id);
        if (!request) {
            console.warn("host link: dropped a reply that no request waits for");
            return;
        }
        this.waiting.delete(message.id);
        clearTimeout(request.timer);
        request.resolve(message);
    }

    post(kind, fields) {
        const id = this.nextId++;
        this.host.postMessage({ protocol: Protocol, version: Version, kind, id, ...fields }, this.origin);
        return id;
    }

    // The host's reply to a request of kind; rejects with ReadError when none comes in time.
    request(kind, fields) {
        if (this.ended)
            return Promise.reject(new Error(ReadError));
        return new Promise((resolve, reject) => {
            const id = this.post(kind, fields);
            const timer = setTimeout(() => {
                this.waiting.delete(id);
                reject(new Error(ReadError));
            }, ReplyTimeout);
            this.waiting.set(id, { resolve, reject, timer });
        });
    }

    entity() {
        return { exeName: ExeName, title: Title };
    }

    // Rejects with NotRunning when the host does not acknowledge the registration.
    async register() {
        try {
            await this.request("lmRegister", { entity: this.entity() });
        } catch {
            throw new Error(NotRunning);
        }
        this.registered = true;
    }

    // Said on the way out, so nothing waits for the acknowledgement.
    unregister() {
        if (this.registered && !this.serverDown)
            this.post("lmUnregister", { entity: this.entity() });
        this.registered = false;
    }

    async text(kind, fields, answer) {
        const reply = await this.request(kind, fields);
        if (typeof reply[answer] !== "string")
            throw new Error(ReadError);
        return reply[answer];
    }

    // The value of key; the empty text for a key the host does not know.
    getValue(key) {
        return this.text("lmGetValue", { key }, "value");
    }

    queryString(text) {
        return this.text("lmQueryString", { text }, "text");
    }

    // The file's bytes, or null when the host has no such file.
    async getFile(name) {
        const reply = await this.request("lmGetFile", { name });
        if (reply.found === false)
            return null;
        const bytes = reply.found === true ? asBytes(reply.bytes) : null;
        if (!bytes)
            throw new Error(ReadError);
        return bytes;
    }

    // The host's lmQuit: the page always may end, saying goodbye only to a host that stays.
    quit(serverDown) {
        this.serverDown = serverDown;
        this.end();
    }

    // Ends the session once: unregisters, then closes and tells the page.
    end() {
        if (this.ended)
            return;
        this.unregister();
        this.close();
        if (this.onEnd)
            this.onEnd();
    }

    // Takes no more messages and fails what still waits.
    close() {
        this.ended = true;
        this.view.removeEventListener("message", this.listener);
        for (const request of this.waiting.values()) {
            clearTimeout(request.timer);
            request.reject(new Error(ReadError));
        }
        this.waiting.clear();
    }
}

// The link of this page once connectHost made one, for code in the frame that asks the host.
export let link = null;

async function loadDictionary(page) {
    let bytes;
    try {
        bytes = await link.getFile(DictionaryName);
    } catch (error) {
        page.showMessage(error.message);
        return;
    }
    // No such file: the page keeps the dictionary it chose itself. One that cannot serve is
    // said by the page, which keeps its texts too.
    if (bytes)
        page.applyDictionary(bytes, `"${DictionaryName}" of the host`);
}

// Links the page to its host when its address names one: registers, takes the host's
// dictionary, and ends the session on the host's quit or the page's Exit. A host that is
// not there is said in the page, which goes on standalone.
export function connectHost(page, view = window) {
    const origin = allowedHostOrigin(view.location.search);
    if (origin === undefined)
        return;
    if (origin === null || view.parent === view) {
        page.showMessage(NotRunning);
        return;
    }
    link = new THostLink(view, origin);
    // An ended program leaves nothing behind: the frame goes blank for the host to remove.
    link.onEnd = () => view.location.replace("about:blank");
    // The desktop brings its window to the front; a frame can only ask for the focus.
    link.onParams = () => view.focus();
    page.onExit = () => link.end();
    view.addEventListener("pagehide", () => link.unregister());
    link.register().then(() => {
        page.setEmbedded(true);
        return loadDictionary(page);
    }, (error) => {
        link.close();
        page.showMessage(error.message);
    });
}
