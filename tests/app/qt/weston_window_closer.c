/* A Weston plug-in for the Wayland smoke test, which has no window manager's close button to
 * press. On SIGUSR1 it writes one line per mapped top-level window to standard output: its app
 * id, its title and its size. On SIGUSR2 it asks each of them to close, as the compositor does
 * when a user closes a window: the client gets xdg_toplevel.close. */
#include <libweston-desktop/libweston-desktop.h>
#include <libweston/libweston.h>
#include <signal.h>
#include <stdio.h>

typedef void (*window_action)(struct weston_desktop_surface *window);

static void for_each_mapped_window(struct weston_compositor *compositor, window_action action) {
  struct weston_view *view;
  wl_list_for_each(view, &compositor->view_list, link) {
    struct weston_desktop_surface *window = weston_surface_get_desktop_surface(view->surface);
    if (window != NULL && weston_surface_is_mapped(view->surface)) action(window);
  }
}

static void print_window(struct weston_desktop_surface *window) {
  const char *app_id = weston_desktop_surface_get_app_id(window);
  const char *title = weston_desktop_surface_get_title(window);
  struct weston_geometry geometry = weston_desktop_surface_get_geometry(window);
  printf("window %s \"%s\" %dx%d\n", app_id != NULL ? app_id : "-", title != NULL ? title : "",
         geometry.width, geometry.height);
}

static int list_windows(int signal_number, void *data) {
  (void)signal_number;
  printf("windows:\n");
  for_each_mapped_window(data, print_window);
  printf("end\n");
  fflush(stdout);
  return 0;
}

static int close_windows(int signal_number, void *data) {
  (void)signal_number;
  for_each_mapped_window(data, weston_desktop_surface_close);
  return 0;
}

WL_EXPORT int wet_module_init(struct weston_compositor *compositor, int *argc, char *argv[]) {
  (void)argc;
  (void)argv;
  struct wl_event_loop *loop = wl_display_get_event_loop(compositor->wl_display);
  if (wl_event_loop_add_signal(loop, SIGUSR1, list_windows, compositor) == NULL ||
      wl_event_loop_add_signal(loop, SIGUSR2, close_windows, compositor) == NULL) {
    return -1;
  }
  return 0;
}
