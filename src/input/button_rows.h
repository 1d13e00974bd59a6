// A device's buttons as game keys, one table per screen: the remote's mapping
// and the pad's both read their tables through this.
#pragma once

// One row of a table: when any of `buttons` is pressed, send the game key `key`.
struct ButtonRow {
    unsigned buttons;
    int key;
};

// The keys of the rows with a button in `pressed`, in table order, at most
// `limit` of them. Returns the count.
template <int N>
int keys_of_rows(const ButtonRow (&table)[N], unsigned pressed, int* keys, int limit) {
    int count = 0;
    for (const ButtonRow& row : table)
        if ((pressed & row.buttons) != 0 && count < limit) keys[count++] = row.key;
    return count;
}
