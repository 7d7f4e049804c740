// SPDX-License-Identifier: GPL-3.0-or-later
/* weston's headless backend has no seat: this module gives it one with a
 * keyboard, and presses keys on demand. On SIGUSR2 it reads Linux input key
 * codes (blank separated) from the file that VM_WESTON_KEYS names, presses
 * them in that order and releases them in the reverse order. */
#include <libweston/libweston.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <wayland-server-core.h>

/* Exported by libweston, declared in a header it does not install. */
void weston_seat_init(struct weston_seat* seat, struct weston_compositor* ec,
                      const char* seat_name);
int weston_seat_init_keyboard(struct weston_seat* seat, struct xkb_keymap* keymap);
void notify_key(struct weston_seat* seat, const struct timespec* time, uint32_t key,
                enum wl_keyboard_key_state state, enum weston_key_state_update update_state);

static struct weston_seat seat;

static void send_key(uint32_t key, enum wl_keyboard_key_state state) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  notify_key(&seat, &now, key, state, STATE_UPDATE_AUTOMATIC);
}

static int press_keys(int signal_number, void* data) {
  (void)signal_number;
  (void)data;
  const char* name = getenv("VM_WESTON_KEYS");
  FILE* file = name != NULL ? fopen(name, "r") : NULL;
  if (file == NULL) return 0;
  unsigned keys[16];
  int count = 0;
  while (count < 16 && fscanf(file, "%u", &keys[count]) == 1) count++;
  fclose(file);
  for (int i = 0; i < count; i++) send_key(keys[i], WL_KEYBOARD_KEY_STATE_PRESSED);
  for (int i = count - 1; i >= 0; i--) send_key(keys[i], WL_KEYBOARD_KEY_STATE_RELEASED);
  return 0;
}

WL_EXPORT int wet_module_init(struct weston_compositor* compositor, int* argc, char* argv[]) {
  (void)argc;
  (void)argv;
  weston_seat_init(&seat, compositor, "default");
  if (weston_seat_init_keyboard(&seat, NULL) < 0) return -1;
  struct wl_event_loop* loop = wl_display_get_event_loop(compositor->wl_display);
  return wl_event_loop_add_signal(loop, SIGUSR2, press_keys, NULL) != NULL ? 0 : -1;
}
