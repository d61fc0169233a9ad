#pragma once

#include <optional>
#include <string>

// The host's suffix written to the registry value "ViewerHandle", where
// participants look before their command line, for as long as this object lives.
// On POSIX the value lives in <system config>/Orvik/vandrel.conf, group [demon]
// (LERNIX_REGISTRY_DIR replaces the system config folder).
// One instance at a time.
class TViewerHandlePublication {
public:
    // Writes Suffix. Throws std::runtime_error when the value cannot be written
    // or does not read back as Suffix; the store is then as it was.
    explicit TViewerHandlePublication(const std::string& Suffix);
    // Puts back the value found before, or removes it (and a store left without
    // values), unless someone else has written the value meanwhile.
    ~TViewerHandlePublication();
    TViewerHandlePublication(const TViewerHandlePublication&) = delete;
    TViewerHandlePublication& operator=(const TViewerHandlePublication&) = delete;

    // Puts the store's file back as it was before the suffix was written, from a signal
    // handler of a process that ends at once: async-signal-safe calls only, and no look
    // at what others wrote meanwhile. Does nothing while no publication lives.
    static void RestoreInHaste();

private:
    std::string FSuffix;
    std::optional<std::string> FPrevious;
};
