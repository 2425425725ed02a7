/* screen_probe COMMAND...: starts COMMAND (a Windows benchmark under Wine) and does for it what a
 * person at the screen does: it presses keys and clicks with XTest and watches the X server's pixels,
 * so that a time measured is the time until the user could see the result.
 *
 * The benchmark asks on its standard output, one line each (other lines are passed through):
 *   @probe park X Y                  the pointer to (X, Y); answers "ok"
 *   @probe watch X Y W H EX EY EW EH key KEYSYM [part PX PY PW PH]
 *   @probe watch X Y W H EX EY EW EH click CX CY [part PX PY PW PH]
 *       waits until the rectangle X Y W H is still (so what came before is on the screen), presses
 *       and releases the key (or the left button at CX CY), and watches the rectangle until it stays
 *       unchanged for the quiet time. Answers "done MS CHANGED EMPTY LATE EVERY FRAMES PART FIRST": MS from
 *       the release to the first sight of the final pixels, CHANGED 1 when the pixels changed at all,
 *       EMPTY 1 when the rectangle EX EY EW EH showed one colour only at some moment after the release,
 *       LATE 1 when the rectangle was still changing while the probe waited to begin, EVERY the mean
 *       time between two readings of the pixels, FRAMES how many different pictures it showed after
 *       the release (1 when it went straight to the final one), PART as many for the part PX PY PW PH
 *       of it (the whole rectangle when none is given), FIRST from the release to the first change
 *       seen (MS when it went straight to the final pixels). A rectangle of one colour is never taken
 *       for the final pixels while the wait lasts.
 *   @probe end                       the probe waits for the benchmark to end
 * Answers go to the benchmark's standard input. Built with the host's compiler by bench/search/run.
 */
#define _GNU_SOURCE
#include "../screen_grab.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

/* The pixels are read every PollUs and a little more (the reading itself), so a time is late by at
 * most about that much; the wait between readings leaves the processors to the program watched. */
enum { QuietMs = 150, FirstChangeMs = 3000, LongestMs = 6000, SettleBeforeMs = 60, PollUs = 200 };

static Display* dpy;

static void sleep_ms(int ms) {
    sleep_us((long)ms * 1000L);
}

/* Whether the part (ex, ey, ew, eh) of the screen, inside the grabbed rectangle, is of one colour. */
static int one_colour(const Grab* g, int ex, int ey, int ew, int eh) {
    const int x0 = ex - g->x, y0 = ey - g->y;
    if (ew <= 0 || eh <= 0 || x0 < 0 || y0 < 0 || x0 + ew > g->w || y0 + eh > g->h) return 0;
    const uint32_t first = grab_pixel(g, x0, y0);
    for (int y = y0; y < y0 + eh; ++y)
        for (int x = x0; x < x0 + ew; ++x)
            if (grab_pixel(g, x, y) != first) return 0;
    return 1;
}

static void move_pointer(int x, int y) {
    XTestFakeMotionEvent(dpy, DefaultScreen(dpy), x, y, CurrentTime);
    XSync(dpy, False);
}

/* Waits until the rectangle stays unchanged for the quiet time; 1 when it changed meanwhile. */
static int wait_still(Grab* g) {
    grab_read(g);
    uint64_t last = grab_hash(g);
    double since = now_ms();
    const double start = since;
    int changed = 0;
    while (now_ms() - since < QuietMs && now_ms() - start < LongestMs) {
        sleep_us(PollUs);
        grab_read(g);
        const uint64_t h = grab_hash(g);
        if (h != last) {
            last = h;
            since = now_ms();
            changed = 1;
        }
    }
    return changed;
}

static void watch(FILE* answer, const char* args) {
    int x, y, w, h, ex, ey, ew, eh, cx = 0, cy = 0, n = 0, m = 0;
    char kind[16] = "", keysym[64] = "";
    if (sscanf(args, "%d %d %d %d %d %d %d %d %15s %n", &x, &y, &w, &h, &ex, &ey, &ew, &eh, kind, &n) < 9) {
        fprintf(answer, "error bad watch\n");
        return;
    }
    const int isKey = strcmp(kind, "key") == 0;
    if (isKey ? sscanf(args + n, "%63s %n", keysym, &m) != 1
              : sscanf(args + n, "%d %d %n", &cx, &cy, &m) != 2) {
        fprintf(answer, "error bad watch\n");
        return;
    }
    int px = x, py = y, pw = w, ph = h;
    if (args[n + m] && sscanf(args + n + m, "part %d %d %d %d", &px, &py, &pw, &ph) != 4) {
        fprintf(answer, "error bad watch\n");
        return;
    }
    XWindowAttributes screen;
    XGetWindowAttributes(dpy, DefaultRootWindow(dpy), &screen);
    if (w <= 0 || h <= 0 || x < 0 || y < 0 || x + w > screen.width || y + h > screen.height) {
        fprintf(answer, "error the rectangle is not on the screen\n");
        return;
    }
    if (pw <= 0 || ph <= 0 || px < x || py < y || px + pw > x + w || py + ph > y + h) {
        fprintf(answer, "error the part is not in the rectangle\n");
        return;
    }
    px -= x, py -= y;
    KeyCode code = 0;
    if (isKey) {
        code = XKeysymToKeycode(dpy, XStringToKeysym(keysym));
        if (!code) {
            fprintf(answer, "error no key %s\n", keysym);
            return;
        }
    }
    Grab g;
    grab_open(&g, dpy, x, y, w, h);
    const int late = wait_still(&g);
    const uint64_t before = grab_hash(&g);

    /* The press first, given time to be handled; the release is what the measure starts from. */
    if (isKey) {
        XTestFakeKeyEvent(dpy, code, True, CurrentTime);
    } else {
        move_pointer(cx, cy);
        sleep_ms(SettleBeforeMs);
        XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
    }
    XSync(dpy, False);
    sleep_ms(SettleBeforeMs);
    grab_read(&g);
    uint64_t last = grab_hash(&g), lastPart = grab_hash_part(&g, px, py, pw, ph);
    const double t0 = now_ms();
    if (isKey)
        XTestFakeKeyEvent(dpy, code, False, CurrentTime);
    else
        XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
    XFlush(dpy);

    double lastChange = t0, firstChange = -1;
    int changed = last != before, empty = 0, uniform = 0, reads = 0, frames = 0, partFrames = 0;
    for (;; ++reads) {
        sleep_us(PollUs);
        grab_read(&g);
        const double t = now_ms();
        const uint64_t hash = grab_hash(&g);
        if (hash != last) {
            last = hash;
            lastChange = t;
            if (firstChange < 0) firstChange = t;
            changed = 1;
            ++frames;
            uniform = one_colour(&g, ex, ey, ew, eh);
            if (uniform) empty = 1;
            const uint64_t part = grab_hash_part(&g, px, py, pw, ph);
            if (part != lastPart) {
                lastPart = part;
                ++partFrames;
            }
        }
        if (t - t0 > LongestMs) break;
        if (!changed && t - t0 > FirstChangeMs) break;
        if (changed && !uniform && t - lastChange >= QuietMs) break;
    }
    const double interval = reads > 0 ? (now_ms() - t0) / reads : 0;
    grab_close(&g);
    fprintf(answer, "done %.3f %d %d %d %.3f %d %d %.3f\n", changed ? lastChange - t0 : -1.0, changed, empty,
            late, interval, frames, partFrames, firstChange < 0 ? -1.0 : firstChange - t0);
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: screen_probe COMMAND [ARGUMENTS...]\n");
        return 2;
    }
    dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "screen_probe: no X display\n");
        return 2;
    }
    int event, error, major, minor;
    if (!XTestQueryExtension(dpy, &event, &error, &major, &minor)) {
        fprintf(stderr, "screen_probe: the X server has no XTest\n");
        return 2;
    }

    int toChild[2], fromChild[2];
    if (pipe(toChild) || pipe(fromChild)) return 2;
    const pid_t child = fork();
    if (child == 0) {
        dup2(toChild[0], 0);
        dup2(fromChild[1], 1);
        close(toChild[1]);
        close(fromChild[0]);
        execvp(argv[1], argv + 1);
        perror("screen_probe: exec");
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    signal(SIGPIPE, SIG_IGN);
    FILE* in = fdopen(fromChild[0], "r");
    FILE* answer = fdopen(toChild[1], "w");

    char* line = NULL;
    size_t size = 0;
    while (getline(&line, &size, in) > 0) {
        if (strncmp(line, "@probe ", 7) != 0) {
            fputs(line, stdout);
            fflush(stdout);
            continue;
        }
        const char* command = line + 7;
        if (strncmp(command, "park ", 5) == 0) {
            int x, y;
            if (sscanf(command + 5, "%d %d", &x, &y) == 2) move_pointer(x, y);
            fprintf(answer, "ok\n");
        } else if (strncmp(command, "watch ", 6) == 0) {
            watch(answer, command + 6);
        } else if (strncmp(command, "end", 3) == 0) {
            fprintf(answer, "ok\n");
        } else {
            fprintf(answer, "error unknown\n");
        }
        fflush(answer);
    }
    free(line);
    fclose(answer);
    int status = 0;
    waitpid(child, &status, 0);
    XCloseDisplay(dpy);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
