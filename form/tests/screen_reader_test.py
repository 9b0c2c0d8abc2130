#!/usr/bin/python3
"""Drives the real program from outside, through AT-SPI only, as a screen reader does.

Usage: scripts/virtual-screen --atspi -- python3 screen_reader_test.py PATH/TO/tavrin

On the virtual screen, whose desktop says a screen reader runs, starts the program, then: finds every input by
its caption, types the spacing, presses 计　　算, reads the eight results with their captions and ld's working
with its minimum lengths;
types a spacing of 60, presses 计　　算 again, reads the refusal's alert and presses its OK, and finds the spacing
entry empty and focused. The program is stopped at the end, whether the test passed or not.
"""
import contextlib
import os
import signal
import subprocess
import sys
import tempfile
import time

PACKAGES = 'form/tests/debian-packages.txt'
try:  # Debian's python3 with the AT-SPI bindings, which connect to the buses only when first used
    import gi
    gi.require_version('Atspi', '2.0')
    import pyatspi
    from gi.repository import GLib
except (ImportError, ValueError) as missing:
    sys.exit(f'FAIL: {missing}; install the packages in {PACKAGES} (scripts/ensure-packages {PACKAGES})')

WAIT_S = 20  # for any one thing to show up
WHOLE_RUN_S = 100  # the test gives up after this, and still stops what it started

CALCULATE = '计\u3000\u3000算'
SPACING = '植筋间距(mm)'
# The inputs on view when the window opens, by caption, with what each shows.
DEFAULT_INPUTS = {
    '抗震设防烈度': '6', '场地类别': 'I、II类', '混凝土强度等级': 'C25', '保护层厚度': '30',
    '钢筋强度等级': 'HRB335', '植筋直径': '16', '箍筋直径：': '>=8', '结构胶粘剂等级': 'A级胶',
    SPACING: '100', '植筋边距(mm)': '50', '构件受力状态': '其他构件', '混凝土孔壁潮湿影响系数：': '1.1',
    '使用环境温度(℃)': '≤60℃',
}
# The results of a run on the default inputs, caption and value, in the order the run writes them.
DEFAULT_RESULTS = [
    ('植筋用胶粘剂粘结强度设计值fbd:', '2.7'), ('构件受力状态影响系数ψbr:', '1'),
    ('锚固长度承载力修正系数ψN:', '1.1'), ('混凝土劈裂影响系数aspt:', '1'),
    ('植筋基本锚固长度ls(mm):', '355.5555'), ('植筋位移修正系数ψae:', '1.1'),
    ('植筋直径(mm)：', '16'), ('植筋锚固长度(mm):', '430.2222'),
]
SPACING_REFUSAL = '植筋间距不能小于植筋直径的5倍'
# What a screen reader reads after the name of the ld box: its working, the minimum lengths, the adopted
# depth, the notices.
LD_WORKING = '\n'.join([
    'ld = ψN × ψae × ls = 1.1 × 1.1 × 355.5555 = 430.2222 mm',
    '按构造要求植筋的最小锚固长度 lmin（GB 50367-2013 第15.3.1条）：',
    '受拉 lmin = max(0.3 × ls, 10 × d, 100) = max(0.3 × 355.5555, 10 × 16, 100) = 160 mm',
    '受压 lmin = max(0.6 × ls, 10 × d, 100) = max(0.6 × 355.5555, 10 × 16, 100) = 213.3333 mm',
    '取用植筋锚固深度 = 440 mm（27.5d）：ld = 430.2222 mm ≥ lmin = 213.3333 mm，取 ld，按 10 mm 向上取整',
    '规范提示：无'])


def start_program(program, log, home):
    """The program in a process group of its own, so that stopping it also stops whatever it spawned. Qt's
    switch that exposes a program whatever the desktop says is taken away, as a user's desktop has it. Its
    settings and recovery files go to a folder of the test's, not the user's."""
    env = dict(os.environ, QT_QPA_PLATFORM='xcb', XDG_DATA_HOME=f'{home}/data', XDG_CONFIG_HOME=f'{home}/config')
    env.pop('QT_LINUX_ACCESSIBILITY_ALWAYS_ON', None)
    return subprocess.Popen([program], env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                            start_new_session=True)


def stop(process):
    for number in (signal.SIGTERM, signal.SIGKILL):  # SIGKILL for whatever of the group outlived SIGTERM
        with contextlib.suppress(ProcessLookupError, PermissionError):
            os.killpg(process.pid, number)
        with contextlib.suppress(subprocess.TimeoutExpired):
            process.wait(timeout=5)


def give_up(_signum, _frame):
    raise TimeoutError(f'the test took more than {WHOLE_RUN_S} s')


def wait_for(what, find):
    """Asks find() until it returns something, for at most WAIT_S seconds. An object that goes away while
    find() looks at it (a closing alert, say) only means another look."""
    deadline = time.monotonic() + WAIT_S
    while True:
        with contextlib.suppress(GLib.Error):
            found = find()
            if found:
                return found
        if time.monotonic() > deadline:
            raise AssertionError(f'{what}: not there after {WAIT_S} s')
        time.sleep(0.1)


def expect(what, seen, wanted):
    if seen != wanted:
        raise AssertionError(f'{what}:\n  seen   {seen!r}\n  wanted {wanted!r}')
    print(f'ok: {what}')


def children(accessible):
    return [child for child in (accessible.getChildAtIndex(i) for i in range(accessible.childCount)) if child]


def caption(accessible):
    """The caption of the label the control is labelled by, as a screen reader finds it."""
    for relation in accessible.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return relation.getTarget(0).name.strip()
    return None


def shown(accessible):
    """What a screen reader reads as the control's value: an entry's text, else the name, which for a list
    is its current item and for a label its text."""
    if accessible.getRole() == pyatspi.ROLE_TEXT:
        return accessible.queryText().getText(0, -1)
    return accessible.name


def by_caption(window):
    """The controls on view, each under the caption it is labelled by."""
    return {caption(c): c for c in children(window)
            if caption(c) and c.getState().contains(pyatspi.STATE_SHOWING)}


def named(parent, role, name):
    return next((c for c in children(parent) if c.getRole() == role and c.name == name), None)


def type_into(entry, text):
    editable = entry.queryEditableText()
    editable.deleteText(0, entry.queryText().characterCount)
    editable.insertText(0, text, len(text))


def press(button):
    action = button.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index('Press'))


def x11_titles():
    """The titles the program's windows on view have on the X server, as the window manager shows them."""
    ids = subprocess.run(['xdotool', 'search', '--onlyvisible', '--class', '^tavrin$'], capture_output=True,
                         text=True, timeout=10).stdout.split()
    titles = [subprocess.run(['xprop', '-id', i, '-notype', '_NET_WM_NAME'], capture_output=True, text=True,
                             timeout=10).stdout.strip() for i in ids]
    return sorted(titles)


def drive():
    start = time.monotonic()
    desktop = pyatspi.Registry.getDesktop(0)
    app = wait_for('the program on the accessibility bus',
                   lambda: next((a for a in children(desktop) if a.name.lower() == 'tavrin'), None))
    frame = wait_for('its window', lambda: named(app, pyatspi.ROLE_FRAME, 'Tavrin'))
    print(f'ok: the window is on the accessibility bus after {time.monotonic() - start:.1f} s')
    positions = wait_for('the list of positions', lambda: pyatspi.findDescendant(
        frame, lambda c: c.getRole() == pyatspi.ROLE_LIST and c.name == '部位'))
    expect('the one position of a new project', [c.name for c in children(positions)], ['部位 1\n未计算'])
    window = wait_for('the form', lambda: pyatspi.findDescendant(
        frame, lambda c: c.getRole() == pyatspi.ROLE_PUSH_BUTTON and c.name == CALCULATE).parent)

    controls = wait_for('the inputs by caption', lambda: by_caption(window))
    expect('every input found by its caption, showing its default',
           {name: shown(controls[name]) for name in DEFAULT_INPUTS if name in controls}, DEFAULT_INPUTS)
    spacing = controls[SPACING]
    calculate = named(window, pyatspi.ROLE_PUSH_BUTTON, CALCULATE)

    type_into(spacing, '100')
    expect('the spacing typed', shown(spacing), '100')
    press(calculate)
    last_caption = DEFAULT_RESULTS[-1][0]
    wait_for('the last result', lambda: shown(by_caption(window)[last_caption]))
    results = by_caption(window)
    expect('the eight results, caption and value, as in a default run',
           [(name, shown(results[name])) for name, _ in DEFAULT_RESULTS if name in results], DEFAULT_RESULTS)
    ld_box = results[last_caption]
    wait_for('ld\'s working', lambda: ld_box.description)
    expect('ld\'s description, its working', ld_box.description, LD_WORKING)

    type_into(spacing, '60')
    press(calculate)
    alert = wait_for('the refusal\'s alert', lambda: next(
        (c for c in children(app) if c.getRole() == pyatspi.ROLE_ALERT), None))
    expect('the alert\'s message', [c.name for c in children(alert) if c.name], [SPACING_REFUSAL])
    expect('the title bars of the window, its project now changed, and the alert', x11_titles(),
           ['_NET_WM_NAME = " "', '_NET_WM_NAME = "Tavrin*"'])
    buttons = wait_for('the alert\'s buttons', lambda: pyatspi.findAllDescendants(
        alert, lambda c: c.getRole() == pyatspi.ROLE_PUSH_BUTTON))
    expect('the alert\'s buttons', [b.name for b in buttons], ['OK'])
    press(buttons[0])

    wait_for('the alert closed', lambda: all(c.getRole() != pyatspi.ROLE_ALERT for c in children(app)))
    wait_for('the focus on the spacing entry', lambda: spacing.getState().contains(pyatspi.STATE_FOCUSED))
    expect('the spacing entry after OK, focused', shown(spacing), '')


def main():
    if len(sys.argv) != 2 or 'DBUS_SESSION_BUS_ADDRESS' not in os.environ:
        sys.exit(__doc__)
    program = os.path.abspath(sys.argv[1])
    signal.signal(signal.SIGALRM, give_up)
    signal.alarm(WHOLE_RUN_S)
    with tempfile.TemporaryFile('w+') as log, tempfile.TemporaryDirectory() as home:
        passed = False
        program_process = start_program(program, log, home)
        try:
            drive()
            if program_process.poll() is not None:
                raise AssertionError(f'the program ended with status {program_process.returncode}')
            passed = True
        except (AssertionError, TimeoutError) as failure:
            print(f'FAIL: {failure}')
        finally:
            signal.alarm(0)
            stop(program_process)
            if not passed:
                log.seek(0)
                print('-- output of the program:\n' + log.read()[-4000:])
    print('screen-reader test: passed' if passed else 'screen-reader test: FAILED')
    sys.exit(0 if passed else 1)


if __name__ == '__main__':
    main()
