/* The core's face to the page: plain C functions that the WebAssembly module
 * exports (each as _name) and the page calls through ccall/cwrap.
 *
 * Texts are NUL-terminated 8-bit strings; UTF-8 passes through as bytes.
 * A function that returns a text returns a buffer that the core owns, valid
 * until the next call of this API. Bytes come as a pointer plus
 * zorva_result_size(). The memory grows when it must: read the module's
 * HEAPU8 and HEAPF32 afresh after every call.
 *
 * The module (zorva_core.js, an ES module exporting createZorvaCore) is built
 * for the browser, where createZorvaCore() fetches zorva_core.wasm beside it;
 * under node, pass the file's bytes: createZorvaCore({wasmBinary}). */
#ifndef ZORVA_WEB_API_ZORVA_API_H
#define ZORVA_WEB_API_ZORVA_API_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Stateless calls, each equal to the zorva tool's command ----
 * Each starts the random generator as the tool does (at 1, or at the seed)
 * and puts the session's generator back afterwards. */

/* 1 when the text builds: zorva_result_text() is what `zorva check TEXT`
 * prints, without the final line feed. 0: the plug-in's message. */
int zorva_check(const char* text);

/* Renders like `zorva render TEXT --frames N --step S --xm X --ym Y --audio A
 * -o OUT.raw`: 1 with the bytes of OUT.raw in zorva_result_bytes() and
 * zorva_result_size(). audio is "silence", "ramp" or "music". 0 with the
 * message when the text does not build, or with the tool's words for an
 * argument it refuses ("unknown audio feed 'A'", "--step takes a whole
 * number from 1 to 256", ...). */
int zorva_render(const char* text, int frames, int step, int xm, int ym, const char* audio);

/* The lines of `zorva mutate TEXT --seed S --times N`, joined by "\n",
 * without the final line feed: 1. 0 with the message when the text does not
 * build. */
int zorva_mutate(const char* text, unsigned seed, int times);

const char* zorva_result_text(void);
const uint8_t* zorva_result_bytes(void);
int zorva_result_size(void);

/* ---- The live session: what the plug-in does with its keys and frames ---- */

/* Seeds the random generator that rand, mutation and the pick of a good
 * parent share. */
void zorva_seed(unsigned seed);

/* Builds the text as a new expression. Only when it builds does it replace
 * the current one (the image keeps its size, t restarts at 0): 1. Otherwise
 * 0, the current expression and picture stay, and zorva_result_text() holds
 * the plug-in's message ("" when memory ran out). */
int zorva_set_text(const char* text);

/* The current text, statements separated by "; "; "" without an expression. */
const char* zorva_current_text(void);

/* Space: mutates the current expression in place. */
void zorva_mutate_current(void);

/* Backspace: a library entry drawn at random, as the plug-in draws it; what
 * zorva_set_text returned for it. */
int zorva_reset_to_good_parent(void);

/* Enter: keeps the current text in the library. 1 when added; 0 when it was
 * there already, there is no expression, or its text is longer than 1023
 * characters (which the plug-in never keeps). */
int zorva_keep_current(void);

/* Up (1) and Down (0): the evaluation step shrinks down to 1 or grows, and t
 * restarts at 0, as in the plug-in. The page scales the canvas itself, so it
 * has no magnification: Up at step 1 only restarts t. */
void zorva_change_size(int up);

/* The current picture's size: ceil(256 / step) pixels each way. */
int zorva_image_width(void);
int zorva_image_height(void);

/* The sound of the next frames: a built-in feed, "silence", "ramp" or
 * "music", at the session's frame count (as `zorva render --audio NAME`
 * feeds frame N); 0 for another name, and the sound stays. */
int zorva_sound_builtin(const char* name);

/* 2 x 1152 floats, left then right, each -1..1, oldest first: the page fills
 * it before a frame, then zorva_sound_from_pcm(channels) makes them the
 * frame's waveform and spectrum (1 channel: the left row only), as the
 * player does with a clip of sound. */
float* zorva_sound_pcm_buffer(void);
void zorva_sound_from_pcm(int channels);

/* Renders one frame of the current expression: width x height x 4 bytes of
 * RGBA, rows from the top, for putImageData; null without an expression.
 * The frame count then advances. */
const uint8_t* zorva_render_frame(int xm, int ym);

/* Frames rendered in this session: the feed's frame for the next one. */
int zorva_frame_count(void);

/* ---- The library: the 62 built-ins, then the kept parents, no duplicates ---- */

int zorva_library_count(void);
/* The entry's text, or "" for an index out of range. */
const char* zorva_library_at(int index);

/* The library as a plugin.ini: "[Zorva]", "Glyx0=" ... "Glyx<n-1>=", and an
 * empty "Glyx<n>=", CR LF line ends, as the plug-in writes its keys. */
const char* zorva_library_export(void);

/* 1 when the text holds a "[Zorva]" section: its kept parents ("Glyx1",
 * "Glyx2", ... up to the first empty one) are added, duplicates skipped,
 * nothing removed. 0 otherwise, and the library stays as it was. */
int zorva_library_import(const char* ini_text);

/* ---- The WebAssembly back end: rows that the browser compiles ----
 * A frame runs each statement through its row compiled by the browser once
 * the page has handed that row back, and through the evaluator until then.
 * Both give the same bytes. */

/* 1 (the default): compiled rows where they have come; 0: the evaluator
 * only. */
void zorva_engine(int compiled);
/* Passes run by compiled rows (1) or by the evaluator (0) so far. */
int zorva_engine_passes(int compiled);
/* The next module for the page to compile, in zorva_result_bytes() and
 * zorva_result_size(), and the request number to install its row under; 0
 * when none waits. A module imports "env" "memory" (the core's memory) and
 * "routine" NAME for each routine it calls, and exports "row" (i32) -> i32. */
int zorva_wasm_request(void);
/* The compiled row of a request, as an index of the core's function table:
 * 1 when kept; 0 when the core no longer wants it, and the page frees it. */
int zorva_wasm_install(int request, int row);
/* A row that the core dropped, for the page to free from the table; 0 when
 * none. */
int zorva_wasm_released(void);
/* The routine that modules import as "routine" NAME (tan, rand, pal, ...),
 * as an index of the core's function table; 0 for another name. */
int zorva_wasm_routine(const char* name);
/* Asks for the modules of the text's statements, as zorva_render and
 * zorva_set_text build them, so that the page can compile them before it
 * renders: 1 when the text builds. */
int zorva_wasm_prepare(const char* text);
/* The same for the current expression, whose trees a mutation may have left
 * in another order than its text would build. */
void zorva_wasm_prepare_current(void);

#ifdef __cplusplus
}
#endif

#endif
