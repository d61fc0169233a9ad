// A reference host for Fokalis on the web: it embeds the page in an <iframe>, answers every
// request of the host link (docs/host-protocol.md, "Web") from the values and files given
// on the left, and logs the traffic. Integrators may start their own parent page from it.

const Protocol = "lernix";
const Version = 1;

const element = (id) => document.getElementById(id);
const files = new Map();
let frame = null;
let frameOrigin = null;
let participant = null;
let down = false;

function log(text, className) {
    const entry = document.createElement("li");
    entry.textContent = text;
    if (className)
        entry.className = className;
    element("log").append(entry);
    entry.scrollIntoView({ block: "nearest" });
}

function setStatus(text) {
    element("status").value = text;
}

// What a message carries besides its envelope, for the log; bytes are counted, not shown.
function describe(message) {
    const fields = Object.entries(message).filter(([key]) => !["protocol", "version", "kind", "id"].includes(key));
    const text = fields.map(([key, value]) => {
        if (value instanceof ArrayBuffer || ArrayBuffer.isView(value))
            return `${key}=<${value.byteLength} bytes>`;
        return `${key}=${JSON.stringify(value)}`;
    });
    return `${message.kind}${message.id === undefined ? "" : " #" + message.id} ${text.join(" ")}`.trim();
}

// KEY=VALUE lines, split at the first "="; empty lines and lines starting with "#" are
// skipped and a later key replaces an earlier one, as in lernix-host's values file.
function values() {
    const table = new Map();
    for (const line of element("values").value.split(/\r?\n/)) {
        const equals = line.indexOf("=");
        if (line === "" || line.startsWith("#") || equals <= 0)
            continue;
        table.set(line.slice(0, equals), line.slice(equals + 1));
    }
    return table;
}

function send(message) {
    const full = { protocol: Protocol, version: Version, ...message };
    // The frame's origin as target: if the frame has navigated elsewhere, nothing leaks.
    frame.contentWindow.postMessage(full, frameOrigin);
    log("→ " + describe(full));
}

// The reply's fields for one request, or null for a kind no host answers.
function answer(request) {
    switch (request.kind) {
    case "lmRegister":
        participant = request.entity;
        setStatus(`registered: ${participant?.title}`);
        return {};
    case "lmUnregister":
        participant = null;
        setStatus("unregistered");
        return {};
    case "lmGetValue":
        return { value: values().get(request.key) ?? "" };
    case "lmQueryString":
        return { text: values().get(request.text) ?? "" };
    case "lmGetFile": {
        const bytes = files.get(request.name);
        return bytes ? { found: true, bytes } : { found: false };
    }
    default:
        return null;
    }
}

function receive(event) {
    const message = event.data;
    if (typeof message !== "object" || message === null || message.protocol !== Protocol)
        return;
    if (!frame || event.source !== frame.contentWindow || event.origin !== frameOrigin) {
        log(`ignored ${message.kind} from ${event.origin}: not the participant's frame`, "ignored");
        return;
    }
    log("← " + describe(message));
    if (message.version !== Version || down || element("silent").checked)
        return;
    const fields = answer(message);
    if (fields === null) {
        log(`ignored ${message.kind}: not a request for a host`, "ignored");
        return;
    }
    send({ kind: "lmReply", id: message.id, ...fields });
    // An unregistered participant has ended its session: its frame goes.
    if (message.kind === "lmUnregister")
        removeFrame();
}

function removeFrame() {
    frame?.remove();
    frame = null;
}

function start(event) {
    event.preventDefault();
    removeFrame();
    down = false;
    participant = null;
    const address = new URL(element("frame-address").value, location.href);
    address.searchParams.set("host", location.origin);
    frameOrigin = address.origin;
    frame = document.createElement("iframe");
    frame.title = "Fokalis";
    frame.src = address.href;
    element("frame-place").append(frame);
    setStatus("started, not registered");
    log(`started ${address.href}`);
}

async function readFiles() {
    for (const file of element("files").files)
        files.set(file.name, new Uint8Array(await file.arrayBuffer()));
    element("file-list").replaceChildren(...[...files].map(([name, bytes]) => {
        const item = document.createElement("li");
        item.textContent = `${name} (${bytes.byteLength} bytes)`;
        return item;
    }));
}

function quit(serverDown) {
    if (!frame)
        return;
    send({ kind: "lmQuit", serverDown });
    if (serverDown) {
        // A host that goes down answers nothing more; the frame stays to be looked at.
        down = true;
        setStatus("shut down");
    }
}

window.addEventListener("message", receive);
element("settings").addEventListener("submit", start);
element("files").addEventListener("change", readFiles);
element("quit").addEventListener("click", () => quit(false));
element("shut-down").addEventListener("click", () => quit(true));
element("send-params").addEventListener("click", () => {
    if (frame)
        send({ kind: "lmParams", params: element("params").value.split(/\r?\n/).filter((line) => line !== "") });
});

const preset = new URLSearchParams(location.search).get("frame");
if (preset) {
    element("frame-address").value = preset;
    element("start").click();
}
