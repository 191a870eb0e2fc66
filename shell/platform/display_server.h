#pragma once

// The connection to the display server, for what Qt leaves to its event loop.

// Sends the requests queued for the display server at once. On Wayland, Qt queues a
// window's new picture (the surface commit) and sends it when its event loop next runs, so
// the pictures painted inside one handler, the steps of a rolling ball, would leave
// together after it. Handles no event. Nothing to do on X11, whose backing store sends its
// pixels itself, nor on platforms without a server.
void SendRequestsToDisplayServer();

// Whether the application is a client of a Wayland display server.
bool OnWaylandDisplay();
