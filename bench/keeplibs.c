// SPDX-License-Identifier: GPL-3.0-or-later
/* Preloaded by leaks.sh: keeps every shared library mapped until the process ends. Qt unloads
 * its plugins and libGL unloads Mesa's driver at exit, before LeakSanitizer looks; the objects
 * their globals still held then look leaked, from frames without a library name that no
 * suppression can match. */
int dlclose(void *handle)
{
    (void)handle;
    return 0;
}
