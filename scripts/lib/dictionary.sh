# Sourced by the scripts that check what the program shows against a dictionary.
#
# dictionary_text FILE KEY: the text of the entry "[KEY]=TEXT|$$" in the dictionary FILE
# (entries one a line, as in the shipped ones), without the line's CR; nothing when FILE
# has no complete entry for KEY. The key is compared as it is, not as a pattern.
dictionary_text() {
    awk -v entry="[$2]=" 'index($0, entry) == 1 {
        text = substr($0, length(entry) + 1)
        end = index(text, "|$$")
        if (end) print substr(text, 1, end - 1)
        exit
    }' "$1"
}
