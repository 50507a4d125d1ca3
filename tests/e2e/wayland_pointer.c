// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// A mouse for a compositor that has none: one virtual pointer (wlroots' virtual-pointer protocol)
// that lives as long as this program, so that clients keep the pointer they were offered. Reads
// lines from standard input: "move X Y WIDTH HEIGHT" (absolute, on an output of that size),
// "press" and "release" (the left button); answers each with "ok" once the compositor has it.

#include <stdio.h>
#include <string.h>
#include <wayland-client.h>

// The protocol's two interfaces, as wayland-scanner would write them: only the requests used.
static const struct wl_interface virtual_pointer_interface;
static const struct wl_interface* create_types[] = {&wl_seat_interface, &virtual_pointer_interface};
static const struct wl_message manager_requests[] = {{"create_virtual_pointer", "?on", create_types}};
static const struct wl_interface manager_interface = {
    "zwlr_virtual_pointer_manager_v1", 1, 1, manager_requests, 0, NULL};
static const struct wl_interface* no_types[] = {NULL, NULL, NULL, NULL, NULL};
static const struct wl_message pointer_requests[] = {
    {"motion", "uff", no_types},        {"motion_absolute", "uuuuu", no_types},
    {"button", "uuu", no_types},        {"axis", "uuf", no_types},
    {"frame", "", no_types},
};
static const struct wl_interface virtual_pointer_interface = {
    "zwlr_virtual_pointer_v1", 1, 5, pointer_requests, 0, NULL};

enum { MOTION_ABSOLUTE = 1, BUTTON = 2, FRAME = 4 };
static const unsigned BTN_LEFT = 0x110;

static struct wl_seat* seat;
static struct wl_proxy* manager;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, "wl_seat") == 0 && !seat)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    else if (strcmp(interface, manager_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &manager_interface, 1);
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

int main(void)
{
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "no Wayland display\n");
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!seat || !manager) {
        fprintf(stderr, "the compositor offers no virtual pointer\n");
        return 1;
    }
    struct wl_proxy* pointer =
        wl_proxy_marshal_constructor(manager, 0, &virtual_pointer_interface, seat, NULL);
    wl_display_roundtrip(display);
    printf("ok\n");
    fflush(stdout);

    char line[128];
    unsigned time = 0;
    while (fgets(line, sizeof line, stdin)) {
        unsigned x = 0, y = 0, width = 0, height = 0;
        time += 10;
        if (sscanf(line, "move %u %u %u %u", &x, &y, &width, &height) == 4)
            wl_proxy_marshal(pointer, MOTION_ABSOLUTE, time, x, y, width, height);
        else if (strncmp(line, "press", 5) == 0)
            wl_proxy_marshal(pointer, BUTTON, time, BTN_LEFT, 1u);
        else if (strncmp(line, "release", 7) == 0)
            wl_proxy_marshal(pointer, BUTTON, time, BTN_LEFT, 0u);
        else
            continue;
        wl_proxy_marshal(pointer, FRAME);
        if (wl_display_roundtrip(display) < 0)
            return 1;
        printf("ok\n");
        fflush(stdout);
    }
    wl_display_disconnect(display);
    return 0;
}
