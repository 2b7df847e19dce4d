#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Measures what the test suite catches: applies one-line changes of real logic (mutants), one
at a time, to a copy of the tree, builds it and runs the tests; prints which mutants were caught.

    python3 tools/mutation/mutate.py [--tree SRC] [--work DIR] [--out FILE] [--only NAME ...]
    python3 tools/mutation/mutate.py --list

SRC is the source tree to copy (default: the repository this script lives in), so the same
mutants run against another worktree; only its tracked files are copied, into DIR/src (default
DIR /tmp/simumoteurs-mutation), built in Debug with the benchmarks in DIR/src/build/mutation. A
second run with the same DIR only rebuilds what changed; with ccache the first one reuses what
the tree's own Debug build compiled. FILE receives every line too, as soon as it is known.

The whole suite runs first on the unchanged tree, and what fails there runs once more: a test
that fails twice is left out of every later run, and named. Then each mutant names the tests
most likely to catch it: only what they run is built, and they run first; the whole suite is
built and run only when they let the mutant through. A mutant is caught only when a test that
passed on the unchanged tree fails on it, twice in a row (the second run rules out a flake):
a test that ran out of time, did not run, or a run that never reached its tests (Xvfb failing
to start) is no catch. A mutant whose change no test can see by design (the pace of the point
steps) names a benchmark check instead, which the unchanged tree must pass; those are counted
apart. Every build's status is checked, and after each mutant the unchanged file is built
again into whatever the mutant's build touched, so no binary of one mutant is ever tested
with the next. Without a display the tests run under Xvfb; what they printed for each mutant
is kept in DIR/logs.

A verdict is one of caught (with the failing tests), SURVIVED, flaky (failed once, passed when
run again), timeout, not run (the tests could not run: no display, a program missing), no
build, stale (its line is no longer in the tree) or no check.

This is a developer's tool: it is not part of the suite and CI does not run it.
"""
import argparse
import json
import os
import re
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from mutants import MUTANTS  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..'))


def run(cmd, cwd, timeout=None, env=None):
    try:
        done = subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=timeout, env=env)
        return done.returncode, done.stdout.decode(errors='replace')
    except subprocess.TimeoutExpired as e:
        return 124, (e.stdout or b'').decode(errors='replace')


def copy_tree(src, work):
    files = subprocess.check_output(['git', 'ls-files', '-z'], cwd=src).decode().split('\0')
    for f in filter(None, files):
        source, target = os.path.join(src, f), os.path.join(work, f)
        if not os.path.isfile(source):
            continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        # Only changed files are copied, so the build folder keeps what it already built. A copy
        # is dated now, not as its source: an object built from a mutant that an interrupted run
        # left in the copy is newer than the source, and would otherwise stay.
        if not os.path.exists(target) or open(source, 'rb').read() != open(target, 'rb').read():
            shutil.copyfile(source, target)
            shutil.copymode(source, target)


class Run:
    """What one ctest run said: whether it reached its tests, and how each one that did not
    pass ended ("Failed", "SEGFAULT", "Timeout", "Not Run", ...)."""

    def __init__(self, code, out):
        self.out = out
        # "N% tests passed, M tests failed out of T": absent when ctest (or Xvfb) never ran them.
        self.ran = bool(re.search(r'tests passed, \d+ tests? failed out of \d+', out))
        summary = out.split('The following tests FAILED:')[-1] if 'tests FAILED' in out else ''
        # One "  12 - name (Failed)" a line.
        self.ended = dict(re.findall(r'^\s*\d+ - (\S+) \(([^)]*)\)', summary, re.M))
        if code and self.ran and not self.ended:
            self.ran = False

    def failed(self):
        """The tests that ran and failed: a time-out or a test not run is not a failure."""
        return sorted(n for n, how in self.ended.items() if how not in ('Timeout', 'Not Run'))

    def ending(self, how):
        return sorted(n for n, h in self.ended.items() if h == how)


def ctest(build, regex, env, exclude=(), stop=True, names=None):
    cmd = ['ctest', '--test-dir', build, '--timeout', '300', '-LE', 'package',
           '--output-on-failure']
    if stop:
        cmd.append('--stop-on-failure')
    if names:
        regex = '^(' + '|'.join(map(re.escape, names)) + ')$'
    if regex:
        cmd += ['-R', regex]
    if exclude:
        cmd += ['-E', '^(' + '|'.join(exclude) + ')$']
    if not os.environ.get('DISPLAY'):
        cmd = ['xvfb-run', '-a', '-s', '-screen 0 1920x1080x24'] + cmd
    return Run(*run(cmd, build, env=env))


# Programs the tests start themselves: built with every test run, so that none is left over from
# an earlier mutant.
HELPERS = {'simumoteurs', 'displayprobe', 'leakprobe', 'tracescloseprobe'}


def targets_for(build, regex, env):
    """The programs the tests matching @p regex run, or None for all of them."""
    if not regex:
        return None
    ninja = open(os.path.join(build, 'build.ninja'), encoding='utf-8').read()
    programs = set(re.findall(r'^build \S+: CXX_EXECUTABLE_LINKER__(\w+)_Debug ', ninja, re.M))
    _, listing = run(['ctest', '--test-dir', build, '-R', regex, '--show-only=json-v1'], build,
                     env=env)
    wanted = set(HELPERS)
    for test in json.loads(listing[listing.index('{'):]).get('tests', []):
        for arg in test.get('command', []):
            for word in re.split('[=;]', arg):
                if word.startswith(build) and os.path.basename(word) in programs:
                    wanted.add(os.path.basename(word))
    return sorted(wanted & programs)


def build_error(out):
    errors = [l for l in out.splitlines() if 'error' in l]
    return (errors or out.strip().splitlines() or ['?'])[0][-120:]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--tree', default=ROOT, help='source tree to copy (default: this one)')
    parser.add_argument('--work', default='/tmp/simumoteurs-mutation')
    parser.add_argument('--out', help='file that receives the verdicts too, as they come')
    parser.add_argument('--only', nargs='*', default=[])
    parser.add_argument('--list', action='store_true')
    parser.add_argument('--tree-passes', action='store_true',
                        help='skip the run of the whole suite on the unchanged tree')
    args = parser.parse_args()

    mutants = [m for m in MUTANTS if not args.only or m['name'] in args.only]
    if args.list:
        for m in mutants:
            print(f"{m['name']:40} {m['file']}")
        return 0

    tree = os.path.abspath(args.tree)
    out_file = open(args.out, 'w', encoding='utf-8') if args.out else None

    def say(line):
        print(line, flush=True)
        if out_file:
            out_file.write(line + '\n')
            out_file.flush()

    commit = subprocess.run(['git', 'describe', '--always', '--dirty'], cwd=tree,
                            stdout=subprocess.PIPE, text=True).stdout.strip()
    say(f'mutants of {tree} at {commit}, {time.strftime("%Y-%m-%d %H:%M")}')
    run_started = time.time()
    # The build folder sits two levels below the copy, as a preset's does below the tree: with
    # ccache told that paths are relative to the work folder, the first build of the copy
    # reuses what the tree's own Debug build compiled.
    src = os.path.join(args.work, 'src')
    build = os.path.join(src, 'build', 'mutation')
    copy_tree(tree, src)
    env = dict(os.environ, XDG_RUNTIME_DIR=os.environ.get('XDG_RUNTIME_DIR', '/tmp/sm-runtime'),
               CCACHE_BASEDIR=os.path.abspath(args.work), CCACHE_NOHASHDIR='1')
    os.makedirs(env['XDG_RUNTIME_DIR'], mode=0o700, exist_ok=True)
    # Two jobs: the machine is usually shared with other builds.
    build_cmd = ['cmake', '--build', build, '-j2']
    if not os.path.exists(os.path.join(build, 'build.ninja')):
        launcher = ['-DCMAKE_CXX_COMPILER_LAUNCHER=ccache'] if shutil.which('ccache') else []
        code, out = run(['cmake', '-S', src, '-B', build, '-G', 'Ninja',
                         '-DCMAKE_BUILD_TYPE=Debug', '-DSIMUMOTEURS_BUILD_TESTS=ON',
                         '-DSIMUMOTEURS_BUILD_BENCH=ON'] + launcher, src, env=env)
        if code:
            print(out)
            return 1
    code, out = run(build_cmd, src, env=env)
    if code:
        print(out[-4000:])
        print('the unchanged tree does not build')
        return 1

    # What fails on the unchanged tree says nothing about a mutant: left out of every run.
    broken = []
    if not args.tree_passes and any('check' not in m for m in mutants):
        clean = ctest(build, None, env, stop=False)
        if not clean.ran:
            print(clean.out[-4000:])
            print('the tests do not run on the unchanged tree')
            return 1
        suspects = sorted(clean.ended)
        if suspects:
            broken = sorted(ctest(build, None, env, stop=False, names=suspects).ended)
        state = 'failing twice, left out: ' + ', '.join(broken) if broken else 'all tests pass'
        flaky = sorted(set(suspects) - set(broken))
        say(f'unchanged tree: {state}' + (f' (failed once: {", ".join(flaky)})' if flaky else ''))
    checks = {}
    for check in {m['check'] for m in mutants if 'check' in m}:
        checks[check] = check(build, env)
        say(f'unchanged tree: {check.__name__}: {checks[check][1]}')

    logs = os.path.join(args.work, 'logs')
    os.makedirs(logs, exist_ok=True)
    results = []

    def verdict(m, word, detail):
        results.append((m, word, detail))
        say(f"{m['name']:40} {word:9} {detail}")

    for m in mutants:
        path = os.path.join(src, m['file'])
        original = open(path, encoding='utf-8').read()
        if original.count(m['find']) != 1:
            verdict(m, 'stale', 'its line is not in the tree exactly once')
            continue
        if 'check' in m and checks[m['check']][0]:
            verdict(m, 'no check', 'the unchanged tree fails its check too')
            continue
        started = time.time()
        open(path, 'w', encoding='utf-8').write(original.replace(m['find'], m['replace']))
        # Only what the first tests (or the check) run is built: relinking every test program
        # for every mutant would take most of the time. None: everything.
        targets = m.get('targets') or targets_for(build, m.get('tests'), env)
        try:
            word, detail = judge(m, build, src, build_cmd, targets, env, broken, logs)
        finally:
            open(path, 'w', encoding='utf-8').write(original)
            # The unchanged file goes back into everything the mutant's build may have touched.
            code, out = run(build_cmd, src, env=env)
            if code:
                print(out[-4000:])
                print(f"the unchanged tree does not build again after {m['name']}")
                return 1
        verdict(m, word, f'{detail} ({time.time() - started:.0f} s)')

    minutes = (time.time() - run_started) / 60
    say(f'\nin {minutes:.0f} min')
    for judged_by, label in ((False, 'by the tests'), (True, 'by a benchmark check')):
        mine = [(m, w, d) for m, w, d in results if ('check' in m) == judged_by]
        if not mine:
            continue
        caught = sum(1 for _, w, _ in mine if w == 'caught')
        say(f'{caught} of {len(mine)} mutants caught {label}')
        rooms = {}
        for m, w, _ in mine:
            rooms.setdefault(m['file'].split('/')[0], []).append(w)
        for room, words in sorted(rooms.items()):
            others = {w: words.count(w) for w in sorted(set(words)) if w not in (
                'caught', 'SURVIVED')}
            rest = ''.join(f', {n} {w}' for w, n in others.items())
            say(f'  {room + "/":10} {words.count("caught")} caught, '
                f'{words.count("SURVIVED")} survived{rest}')
    for m, word, detail in results:
        say(f"  {m['name']:40} {word:9} {detail}")
    return 0


def judge(m, build, src, build_cmd, targets, env, broken, logs):
    """The verdict on one mutant, in the tree as it is now: (word, detail)."""
    code, out = run(build_cmd + (['--target'] + targets if targets else []), src, env=env)
    if code:
        return 'no build', build_error(out)
    if 'check' in m:
        caught, detail = m['check'](build, env)
        return ('caught' if caught else 'SURVIVED'), detail
    first = ctest(build, m.get('tests'), env, broken)
    runs = [first]
    if not first.failed() and m.get('tests'):
        code, out = run(build_cmd, src, env=env)
        if code:
            return 'no build', build_error(out)
        runs.append(ctest(build, None, env, broken))
    last = runs[-1]
    failed = last.failed()
    again = ctest(build, None, env, broken, stop=False, names=failed) if failed else None
    if again:
        runs.append(again)
    # What the tests printed, to read a catch, or a failure of timing, afterwards.
    with open(os.path.join(logs, m['name'] + '.log'), 'w', encoding='utf-8') as log:
        log.write('\n'.join(r.out for r in runs))
    if failed:
        twice = [n for n in failed if n in again.failed()]
        if twice:
            return 'caught', ', '.join(twice)
        return 'flaky', ', '.join(failed) + ' failed once, passed when run again'
    if not last.ran:
        return 'not run', 'the tests never ran: ' + (last.out.strip().splitlines() or ['?'])[-1]
    if last.ending('Timeout'):
        return 'timeout', ', '.join(last.ending('Timeout'))
    if last.ending('Not Run'):
        return 'not run', ', '.join(last.ending('Not Run'))
    return 'SURVIVED', ''



if __name__ == '__main__':
    sys.exit(main())
