/* A stand-in for a Debian tool inside Wine, used by the Windows test runs:
 * built as pdftotext.exe or pdfinfo.exe, it runs /usr/bin/<its own name>
 * with every argument that names an existing Windows file turned into that
 * file's Unix path, and passes on its exit code. The sheet's tests read the
 * text of the PDFs they write with Debian's poppler this way, under Wine as
 * on Linux.
 *
 * Wine starts a Unix program from a Windows one and hands it the standard
 * handles, but gives back no process handle to wait on. So the tool runs
 * under /bin/sh, which writes its exit code into a file once it has ended:
 * by then all of its output is in the pipe. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

typedef char*(CDECL* unix_name_fn)(const WCHAR*);

static char script[32768];
static size_t script_length;

static void add(const char* text)
{
    const size_t n = strlen(text);
    if (script_length + n + 1 >= sizeof script) {
        fputs("unix-tool: command line too long\n", stderr);
        exit(127);
    }
    memcpy(script + script_length, text, n + 1);
    script_length += n;
}

/* `text` in single quotes for sh: ' becomes '\''. */
static void add_sh_quoted(const char* text)
{
    add(" '");
    for (const char* p = text; *p; ++p) {
        char one[2] = { *p, '\0' };
        add(*p == '\'' ? "'\\''" : one);
    }
    add("'");
}

/* `arg` as one argument of a Windows command line: in double quotes, with
 * the backslashes before a quote doubled and the quote escaped. */
static void quote_for_windows(char* out, size_t size, const char* arg)
{
    size_t at = 0;
    out[at++] = '"';
    for (const char* p = arg;; ++p) {
        size_t backslashes = 0;
        while (*p == '\\') {
            ++backslashes;
            ++p;
        }
        const size_t copies = *p == '\0' || *p == '"' ? 2 * backslashes : backslashes;
        if (at + copies + 4 >= size) {
            fputs("unix-tool: command line too long\n", stderr);
            exit(127);
        }
        memset(out + at, '\\', copies);
        at += copies;
        if (*p == '\0')
            break;
        if (*p == '"')
            out[at++] = '\\';
        out[at++] = *p;
    }
    out[at++] = '"';
    out[at] = '\0';
}

int wmain(int argc, WCHAR** argv)
{
    unix_name_fn unix_name = (unix_name_fn)(void*)GetProcAddress(
        GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
    if (!unix_name) {
        fputs("unix-tool: this runs under Wine only\n", stderr);
        return 127;
    }
    /* Our own name without folder and .exe: the Debian tool to run. */
    WCHAR self[MAX_PATH];
    GetModuleFileNameW(NULL, self, MAX_PATH);
    WCHAR* name = wcsrchr(self, L'\\') ? wcsrchr(self, L'\\') + 1 : self;
    WCHAR* dot = wcsrchr(name, L'.');
    if (dot)
        *dot = L'\0';
    char tool[MAX_PATH + 16];
    snprintf(tool, sizeof tool, "/usr/bin/%ls", name);

    /* Where sh leaves the exit code. */
    WCHAR folder[MAX_PATH], done[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"ut", 0, done);
    DeleteFileW(done);
    char* done_unix = unix_name(done);
    if (!done_unix) {
        fputs("unix-tool: no Unix path for the temporary folder\n", stderr);
        return 127;
    }

    add_sh_quoted(tool);
    for (int i = 1; i < argc; ++i) {
        char* path = GetFileAttributesW(argv[i]) != INVALID_FILE_ATTRIBUTES ? unix_name(argv[i]) : NULL;
        if (path) {
            add_sh_quoted(path);
            HeapFree(GetProcessHeap(), 0, path);
        } else {
            static char plain[8192];
            WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, plain, sizeof plain, NULL, NULL);
            add_sh_quoted(plain);
        }
    }
    add("; echo $? >");
    add_sh_quoted(done_unix);

    static char line[65536];
    static char quoted[65536 - 32];
    quote_for_windows(quoted, sizeof quoted, script);
    snprintf(line, sizeof line, "Z:\\bin\\sh -c %s", quoted);
    STARTUPINFOA start = { sizeof start };
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process;
    if (!CreateProcessA(NULL, line, NULL, NULL, TRUE, 0, NULL, NULL, &start, &process)) {
        fprintf(stderr, "unix-tool: cannot start %s (error %lu)\n", tool, GetLastError());
        return 127;
    }
    /* Two minutes at most; the tests wait thirty seconds. */
    for (int waited = 0; waited < 120000; waited += 20) {
        FILE* file = _wfopen(done, L"r");
        int code = -1;
        if (file) {
            const int read = fscanf(file, "%d", &code);
            fclose(file);
            if (read == 1) {
                DeleteFileW(done);
                return code;
            }
        }
        Sleep(20);
    }
    fprintf(stderr, "unix-tool: %s did not end\n", tool);
    return 127;
}
