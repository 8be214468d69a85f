#!/usr/bin/python3
"""A browser window on WebKitGTK for WebKitWebDriver: the page under test in a
window of its own, shown (a hidden page waits for visibility, and a tab
opened in the background is hidden), its console written to standard output,
and print() answered at once, as a user who closes the print dialog.

WebKitWebDriver starts it; it runs until the driver ends it."""

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("WebKit2", "4.1")
from gi.repository import Gtk, WebKit2  # noqa: E402


context = WebKit2.WebContext.get_default()
context.set_automation_allowed(True)
windows = []


def new_view(session):
    view = WebKit2.WebView(web_context=context, is_controlled_by_automation=True)
    settings = view.get_settings()
    settings.set_enable_write_console_messages_to_stdout(True)
    # Opened as a file, the one-file page reads nothing else from disk.
    settings.set_allow_file_access_from_file_urls(False)
    view.connect("print", lambda _view, _operation: True)
    window = Gtk.Window()
    window.set_default_size(1366, 657)
    window.add(view)
    window.show_all()
    windows.append(window)
    # Closed by the driver: the window goes with its page.
    view.connect("close", lambda _view: window.destroy())
    return view


def started(_context, session):
    info = WebKit2.ApplicationInfo()
    info.set_name("WebKitGTK")
    # The version the driver reports is the engine's.
    info.set_version(WebKit2.get_major_version(), WebKit2.get_minor_version(), WebKit2.get_micro_version())
    session.set_application_info(info)
    session.connect("create-web-view", new_view)


context.connect("automation-started", started)
Gtk.main()
