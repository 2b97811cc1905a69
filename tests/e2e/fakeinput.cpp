// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A keyboard and pointer on KWin, through its fake input protocol (which
// KWin offers to any client only when started with
// KWIN_WAYLAND_NO_PERMISSION_CHECKS=1). Reads commands, one a line, from the
// file given (a pipe) or its standard input, in the words
// tests/e2e/mutter-input.py takes, so that a script can play either
// compositor alike; prints "ready" once KWin has taken the device and
// "done" once it has handled each command:
//
//   key KEY...      presses each key in turn, as xdotool names them; a "+"
//                   joins keys held together (ctrl+a)
//   type TEXT       types the letters of TEXT
//   moveto X Y      moves the pointer to X, Y on the screen
//   click           clicks the left button

#include "fake-input-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr uint32_t leftButton = 0x110; // BTN_LEFT
constexpr uint32_t released = 0, pressed = 1;

// Evdev codes, which KWin's fake keyboard takes.
std::map<std::string, uint32_t> keyCodes()
{
    std::map<std::string, uint32_t> codes {{"shift", 42}, {"ctrl", 29}, {"alt", 56}, {"F2", 60},
        {"Return", 28}, {"Tab", 15}, {"space", 57}, {"Escape", 1}, {"Up", 103}, {"Down", 108},
        {"Left", 105}, {"Right", 106}};
    const std::pair<const char *, uint32_t> rows[] {
        {"qwertyuiop", 16}, {"asdfghjkl", 30}, {"zxcvbnm", 44}};
    for (const auto &[letters, first] : rows)
        for (uint32_t i = 0; letters[i]; ++i)
            codes[std::string(1, letters[i])] = first + i;
    return codes;
}

struct Globals
{
    org_kde_kwin_fake_input *fakeInput = nullptr;
};

void global(
    void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    // keyboard_key came with version 4.
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
        static_cast<Globals *>(data)->fakeInput = static_cast<org_kde_kwin_fake_input *>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
}

void globalRemove(void *, wl_registry *, uint32_t) {}

const wl_registry_listener registryListener {global, globalRemove};

int fail(const std::string &message)
{
    std::cerr << "fakeinput: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return fail("no Wayland display to connect to");
    Globals globals;
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &globals);
    wl_display_roundtrip(display);
    org_kde_kwin_fake_input *input = globals.fakeInput;
    if (!input)
        return fail("the compositor offers no fake input of version 4 (KWin without "
                    "KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 offers it to no test)");
    org_kde_kwin_fake_input_authenticate(input, "tictactoe tests", "plays the game in a test");
    if (wl_display_roundtrip(display) < 0)
        return fail("the compositor closed the connection");
    std::cout << "ready" << std::endl;

    const auto codes = keyCodes();
    const auto key = [&](const std::string &name, uint32_t state) {
        const auto found = codes.find(name);
        if (found == codes.end())
            return false;
        org_kde_kwin_fake_input_keyboard_key(input, found->second, state);
        return true;
    };
    // Presses the keys in turn and lets them go in reverse.
    const auto hold = [&](const std::vector<std::string> &keys) {
        for (const auto &name : keys)
            if (!key(name, pressed))
                return false;
        for (auto it = keys.rbegin(); it != keys.rend(); ++it)
            key(*it, released);
        return true;
    };

    std::ifstream file;
    if (argc > 1)
        file.open(argv[1]);
    std::istream &commands = argc > 1 ? file : std::cin;
    std::string line;
    while (std::getline(commands, line)) {
        std::istringstream words(line);
        std::string command, word;
        words >> command;
        bool ok = true;
        if (command == "key") {
            while (ok && words >> word) {
                std::vector<std::string> keys;
                std::istringstream combination(word);
                for (std::string name; std::getline(combination, name, '+');)
                    keys.push_back(name);
                ok = hold(keys);
            }
        } else if (command == "type") {
            for (const char letter : line.substr(std::min(line.size(), std::size_t(5)))) {
                const std::string lower(1, static_cast<char>(std::tolower(letter)));
                ok = ok && (std::isupper(letter) ? hold({"shift", lower}) : hold({lower}));
            }
        } else if (command == "moveto") {
            double x = 0, y = 0;
            ok = static_cast<bool>(words >> x >> y);
            if (ok)
                org_kde_kwin_fake_input_pointer_motion_absolute(
                    input, wl_fixed_from_double(x), wl_fixed_from_double(y));
        } else if (command == "click") {
            org_kde_kwin_fake_input_button(input, leftButton, pressed);
            org_kde_kwin_fake_input_button(input, leftButton, released);
        } else {
            ok = false;
        }
        if (!ok)
            return fail("cannot do: " + line);
        if (wl_display_roundtrip(display) < 0)
            return fail("the compositor closed the connection");
        std::cout << "done" << std::endl;
    }
    org_kde_kwin_fake_input_destroy(input);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return 0;
}
