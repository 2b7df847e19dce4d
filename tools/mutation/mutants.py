# SPDX-License-Identifier: GPL-3.0-or-later
"""The mutants of tools/mutation/mutate.py: one-line changes a developer could make by mistake and
a user would notice. Each names its file, the text to change (found exactly once in that file),
its replacement, and a CTest regex of the tests most likely to catch it. A mutant only a
measurement can see names a check instead: check(build, env) -> (caught, detail).
"""
import os
import re
import statistics
import subprocess

# The pace of the point steps: a trace of n steps lasts n × 50 ms, start to start. The schedule
# keeps the median period within a few microseconds of 50 ms whatever the load; a step that
# counts its pause from its own end instead adds its wake-up and its work, a tenth of a
# millisecond or more even on the lightest trace. The whole trace's wall time against its ideal
# (target 1.005) is printed too, but only on a quiet machine does it stay within target: on a
# loaded one a Debug build's late steps alone take it to 1.05, so it does not decide.
PACE_RATIO_TARGET = 1.005
PACE_PERIOD_MS = 50.0
PACE_PERIOD_SLACK_MS = 0.05


def pace_check(build, env, runs=3):
    """Runs the pace benchmark of the build (tab 1 at 50 %, 132 steps): caught when the median
    step period, start to start, is off 50 ms."""
    cmd = [os.path.join(build, 'bench', 'bench_trace'), '--runs', str(runs)]
    if not os.environ.get('DISPLAY'):
        cmd = ['xvfb-run', '-a', '-s', '-screen 0 1920x1080x24'] + cmd
    try:
        out = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, env=env,
                             timeout=300).stdout.decode(errors='replace')
    except subprocess.TimeoutExpired:
        return True, 'bench_trace timed out'
    rows = re.findall(r'ratio ([0-9.]+); step period median ([0-9.]+) ms', out)
    if not rows:
        return True, 'bench_trace printed no figures: ' + out.strip()[-200:]
    ratio = statistics.median(float(r) for r, _ in rows)
    period = statistics.median(float(p) for _, p in rows)
    caught = abs(period - PACE_PERIOD_MS) > PACE_PERIOD_SLACK_MS
    return caught, (f'bench_trace: step period median {period:.3f} ms '
                    f'(50 ± {PACE_PERIOD_SLACK_MS}), wall/ideal {ratio:.4f} '
                    f'(target {PACE_RATIO_TARGET}, load-sensitive)')


def mutant(name, file, find, replace, tests=None, check=None):
    m = {'name': name, 'file': file, 'find': find, 'replace': replace, 'tests': tests}
    if check:
        m['check'] = check
        m['targets'] = ['bench_trace']
    return m


SIM_TESTS = 'tst_(stepper|dcmotor|traces)$'

MUTANTS = [
    # sim/: the four traces and the plan steps.
    mutant('pwm-average-not-whole-volts', 'sim/pwmtrace.cpp',
           'dc::clampedPercent(percent) * pulseVolts / 100)',
           'dc::clampedPercent(percent) * pulseVolts / 100.0)', SIM_TESTS),
    mutant('hbridge-average-unclamped', 'sim/hbridgetrace.cpp',
           'return dc::clampedPercent(percent) * supply / 100.0;',
           'return percent * supply / 100.0;', SIM_TESTS),
    mutant('dc-high-width-fractional', 'sim/dcmotor.cpp',
           'static_cast<double>(clampedPercent(percent) * periodWidth / maxPercent)',
           'static_cast<double>(clampedPercent(percent)) * periodWidth / maxPercent', SIM_TESTS),
    mutant('dc-percent-rounded', 'sim/dcmotor.cpp',
           'static_cast<int>(std::clamp(trackValue, double(minPercent), double(maxPercent)))',
           'static_cast<int>(std::round(std::clamp(trackValue, double(minPercent), '
           'double(maxPercent))))', SIM_TESTS),
    mutant('dc-shaft-duration-inverted', 'sim/dcmotor.cpp',
           'static_cast<float>((100.0 - trackValue) / 100.0)',
           'static_cast<float>(trackValue / 100.0)', SIM_TESTS),
    mutant('stepper-step-length-not-halved', 'sim/stepper.cpp',
           '/ 100.0 * 20.0 / 2.0;', '/ 100.0 * 20.0;', SIM_TESTS),
    mutant('plan-bound-off-by-one', 'sim/plan.cpp',
           'return (m_base + 1.0) + m_plan', 'return m_base + m_plan', SIM_TESTS),
    mutant('plan-stretch-end-not-stepped-back', 'sim/plan.cpp',
           '    --m_x;\n', '', SIM_TESTS),
    mutant('plan-rotor-turns-backwards', 'sim/plan.cpp',
           'm_angle -= quarterTurn;', 'm_angle += quarterTurn;', SIM_TESTS),
    mutant('plan-limit-checked-mid-cycle', 'sim/plan.cpp',
           'if (cycleDone && !(m_x < cycleLimit))', 'if (!(m_x < cycleLimit))', SIM_TESTS),
    mutant('bipolar-last-step-wrong-polarity', 'sim/bipolartrace.cpp',
           '{-on, 0.0}, {0.0, -on}}', '{-on, 0.0}, {0.0, on}}', SIM_TESTS),
    mutant('unipolar-coils-2-3-swapped', 'sim/unipolartrace.cpp',
           '{0.0, on, 0.0, 0.0}, {0.0, 0.0, on, 0.0}', '{0.0, 0.0, on, 0.0}, {0.0, on, 0.0, 0.0}',
           SIM_TESTS),
    mutant('hbridge-steady-transistor-swapped', 'sim/conduction.cpp',
           'positive ? Part::BridgeQ3 : Part::BridgeQ4',
           'positive ? Part::BridgeQ4 : Part::BridgeQ3',
           'tst_(dcmotor|traces|panels)$'),
    mutant('pwm-freewheels-at-zero-percent', 'sim/conduction.cpp',
           'if (highWidth > 0.0)', 'if (highWidth >= 0.0)', 'tst_traces$'),
    mutant('bipolar-glows-one-coil-of-the-pair', 'sim/coils.cpp',
           'coils[winding + 2] = driven;', '', 'tst_traces$'),
    mutant('bipolar-conduction-one-drive', 'sim/conduction.cpp',
           'const Drive second = level > 0.0 ? Drive::Low : Drive::High;',
           'const Drive second = first;', 'tst_(stepper|traces|panels)$'),

    # toolkit/: pace, animations, track bar, charts, texts, pictures.
    mutant('schedule-counts-from-own-start', 'toolkit/stepschedule.cpp',
           'const Clock::time_point fromOwnStart = now + shortestPeriod(m_interval);',
           'const Clock::time_point fromOwnStart = now + m_interval;', check=pace_check),
    mutant('pause-goes-on-after-stop', 'toolkit/livepause.cpp',
           '    if (m_stopped)\n        return Result::Stop;\n\n    std::this_thread',
           '    std::this_thread', 'tst_(livepause|tracesclose)$'),
    mutant('animation-restarts-when-enabled-again', 'toolkit/floatanimation.cpp',
           '    if (enabled == m_enabled)\n        return;\n', '',
           'tst_(floatanimation|tabs|panels)$'),
    mutant('animation-new-pace-from-start', 'toolkit/floatanimation.cpp',
           '    m_driver->setCurrentTime(int(std::lround(share * ms)));\n', '',
           'tst_floatanimation$'),
    mutant('animation-loops-once', 'toolkit/floatanimation.cpp',
           'm_driver->setLoopCount(m_loop ? -1 : 1);', 'm_driver->setLoopCount(1);',
           'tst_(floatanimation|scenerender|traces)$'),
    mutant('trackbar-unclamped', 'toolkit/trackbar.cpp',
           '    value = std::clamp(value, double(kMinimum), double(kMaximum));\n', '',
           'tst_trackbar$'),
    mutant('trackbar-slider-value-dropped', 'toolkit/trackbar.cpp',
           '    m_value = position;\n', '', 'tst_(trackbar|seen|traces)$'),
    mutant('axis-max-unlabelled', 'toolkit/axisticks.cpp',
           '    values.append(max);\n', '', 'tst_chart$'),
    mutant('axis-marks-crowd-the-max', 'toolkit/axisticks.cpp',
           'if (value - min < gap || max - value < gap)', 'if (value - min < gap)', 'tst_chart$'),
    mutant('floattostr-point-not-localised', 'toolkit/floattostr.cpp',
           "        text.replace(u'.', u',');\n", '', 'tst_floattostr$'),
    mutant('image-picture-not-centred', 'toolkit/image.cpp',
           'QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), '
           'fitted)',
           'QRect(QPoint(0, 0), fitted)', 'tst_panels$'),
    mutant('scaledview-content-scaled-twice', 'toolkit/scaledview.cpp',
           'proxy->setScale(m_factor);', 'proxy->setScale(m_factor * m_factor);',
           'tst_(scaledview|displays)$'),
    mutant('svg-lit-part-fills-white', 'toolkit/svgparts.cpp',
           'const bool keep = value == QLatin1String("none") || '
           'isWhite(QColor::fromString(value));',
           'const bool keep = value == QLatin1String("none");', 'tst_(seen|panels|traces)$'),
    mutant('diagram-new-lights-not-redrawn', 'toolkit/diagram.cpp',
           '    changed += areaOf(m_lights);\n', '', 'tst_(seen|panels|traces)$'),
    mutant('diagram-old-lights-left-on-screen', 'toolkit/diagram.cpp',
           'QRegion changed = areaOf(m_lights);', 'QRegion changed;', 'tst_(seen|panels|traces)$'),
    mutant('diagram-lit-parts-not-painted', 'toolkit/diagram.cpp',
           '        painter.drawPixmap(m_litAt, m_litPixmap);\n', '', 'tst_(seen|panels|traces)$'),
    mutant('trackbar-keys-ignored', 'toolkit/trackbar.cpp',
           '&QSlider::valueChanged, this, &TrackBar::takeSliderValue',
           '&QSlider::sliderMoved, this, &TrackBar::takeSliderValue', 'tst_(trackbar|seen)$'),
    mutant('trackbar-page-key-moves-one', 'toolkit/trackbar.cpp',
           'm_slider->setPageStep(10);', 'm_slider->setPageStep(1);', 'tst_(trackbar|seen)$'),
    mutant('pause-ends-before-its-deadline', 'toolkit/livepause.cpp',
           '    std::this_thread::sleep_until(schedule.deadline());\n', '', 'tst_livepause$'),
    mutant('overrun-step-holds-the-events', 'toolkit/livepause.cpp',
           '        QCoreApplication::processEvents();\n', '', 'tst_livepause$'),
    mutant('schedule-first-step-short', 'toolkit/stepschedule.cpp',
           ': now + m_interval;', ': fromOwnStart;', 'tst_livepause$'),
    mutant('axis-ends-only', 'toolkit/axisticks.cpp',
           '    if (values.isEmpty())\n        values = {min, max};', '    values = {min, max};',
           'tst_(chart|seen)$'),
    mutant('axis-end-rounded-to-the-step', 'toolkit/axisticks.cpp',
           'label(value, onStep ? decimals : endDecimals)',
           'label(value, onStep ? decimals : decimals + 1)', 'tst_(chart|seen)$'),
    mutant('axis-labels-left-to-the-module-to-cut', 'toolkit/chart.cpp',
           'constexpr double kLabelShareMargin = 9.0;', 'constexpr double kLabelShareMargin = 0.0;',
           'tst_(chart|seen)$'),
    mutant('handler-exception-not-shown', 'toolkit/handlerbinding.cpp',
           '        Application::ShowCurrentException();\n', '', 'tst_handlerbinding$'),
    mutant('exception-display-skipped', 'toolkit/application.cpp',
           '        display(message);\n        return;', '        return;', 'tst_handlerbinding$'),
    mutant('series-clear-forgotten', 'toolkit/lineseries.cpp',
           '    m_line->clear();\n', '', 'tst_(chart|traces)$'),

    # scene/: the model reader, the placement of the models, the drawn spin.
    mutant('model-content-not-centred', 'scene/modelplacement.cpp',
           'placement.model.offset = -(all.low + all.high) / 2.0f * factor;',
           'placement.model.offset = QVector3D();', 'tst_(scenerender|shippedmodels)$'),
    mutant('model-stretched-into-its-box', 'scene/modelplacement.cpp',
           'placement.model.scale = QVector3D(factor, factor, factor);',
           'placement.model.scale = box / extent;',
           'tst_(shippedmodels|scenerender)$'),
    mutant('meshreader-vertex-count-in-floats', 'scene/storage/meshreader.cpp',
           'if (vertexCount > in.remaining() / MeshData::vertexBytes)',
           'if (vertexCount > in.remaining() / sizeof(float))', 'tst_meshreader$'),
    mutant('meshreader-index-count-in-bytes', 'scene/storage/meshreader.cpp',
           'if (indexCount > in.remaining() / sizeof(std::uint32_t))',
           'if (indexCount > in.remaining())', 'tst_meshreader$'),
    mutant('meshreader-block-length-overlooks-its-field', 'scene/storage/meshreader.cpp',
           'if (length > m_in.remaining())', 'if (length > m_in.remaining() + 4)',
           'tst_meshreader$'),
    mutant('meshreader-index-past-end', 'scene/storage/meshreader.cpp',
           'if (index >= vertexCount)', 'if (index > vertexCount)', 'tst_meshreader$'),
    mutant('meshreader-negative-width', 'scene/storage/meshreader.cpp',
           'subMesh.size.x = readExtent(name);', 'subMesh.size.x = readExtended(name);',
           'tst_meshreader$'),
    mutant('extended80-ties-away', 'scene/storage/extended80.cpp',
           'if (dropped > half || (dropped == half && (kept & 1)))', 'if (dropped >= half)',
           'tst_meshreader$'),
    mutant('spin-fast-backwards-drawn-forwards', 'scene/drawnspin.cpp',
           'drawn.stepDegrees = std::copysign(maxStepDegrees, step);',
           'drawn.stepDegrees = maxStepDegrees;', 'tst_(drawnspin|scenerender)$'),

    # app/: handlers, trace player, tabs, panels, read-outs, circuit pictures.
    mutant('player-schedule-restarted-every-step', 'app/traceplayer.cpp',
           '        schedule.beginStep();\n',
           '        schedule = toolkit::StepSchedule(m_pause.interval());\n'
           '        schedule.beginStep();\n', check=pace_check),
    mutant('player-series-count-unchecked', 'app/traceplayer.cpp',
           'if (plan.seriesCount() != std::size_t(m_series.size()))',
           'if (plan.seriesCount() > std::size_t(m_series.size()))', 'tst_traces$'),
    mutant('player-lights-left-on', 'app/traceplayer.cpp',
           '    if (lighting)\n        m_diagram->setLights({});\n', '', 'tst_(seen|panels|traces)$'),
    mutant('track1-keeps-negative-shaft', 'app/handlers_tracks.cpp',
           '    animationaxenegative->setEnabled(false);\n    Edit2->setText', '    Edit2->setText',
           'tst_(traces|tabs|session)$'),
    mutant('shaft-pace-from-truncated-percent', 'app/handlers_tracks.cpp',
           'sim::dc::shaftDuration(valeurmoteur->value())', 'sim::dc::shaftDuration(vitessemoteur)',
           'tst_(traces|session)$'),
    mutant('negative-run-on-positive-series', 'app/handlers_tracks.cpp',
           'sim::hbridge::negativeSupply, signalrco2)', 'sim::hbridge::negativeSupply, signalrco1)',
           'tst_(traces|session)$'),
    mutant('no-direction-message-lost', 'app/handlers_tracks.cpp',
           'if (sens == 0) {', 'if (sens < 0) {', 'tst_(traces|session)$'),
    mutant('unipolar-button-stays-hidden', 'app/handlers_tracks.cpp',
           '    Button7->setVisible(true);\n', '', 'tst_(traces|session)$'),
    mutant('bipolar-angle-in-unipolar-box', 'app/handlers_tracks.cpp',
           '.withRotor(rotor1, Edit7)', '.withRotor(rotor1, Edit6)', 'tst_(traces|session)$'),
    mutant('track3-slowness-not-updated', 'app/handlers_tracks.cpp',
           '    lenteurmoteur3 = sim::stepper::slowness(vitessemoteur3);\n', '',
           'tst_(traces|session)$'),
    mutant('tab4-coil-letters-shown', 'app/handlers_tabs.cpp',
           'textebobine3->setVisible(false);', 'textebobine3->setVisible(true);',
           'tst_(tabs|session)$'),
    mutant('tab2-shaft-keeps-turning', 'app/handlers_tabs.cpp',
           '    animationaxe->setEnabled(false);\n    slideToDcView();',
           '    slideToDcView();', 'tst_(tabs|session)$'),
    mutant('dc-slide-partner-not-stopped', 'app/handlers_tabs.cpp',
           '    animationmoteurcc->setEnabled(false);\n', '', 'tst_(tabs|session)$'),
    mutant('panel-partner-slide-not-stopped', 'app/handlers_panels.cpp',
           '    stop->setEnabled(false);\n', '', 'tst_(panels|session)$'),
    mutant('panel3-close-button-opens', 'app/handlers_panels.cpp',
           'slide(ferme3, animationferme31, animationferme32);',
           'slide(ferme3, animationferme32, animationferme31);', 'tst_(panels|session)$'),
    mutant('readout-turns-per-second', 'app/motorreadouts.cpp',
           'shaft.degreesPerSecond() / 360.0 * 60.0', 'shaft.degreesPerSecond() / 360.0',
           'tst_(panels|traces)$'),
    mutant('circuit-low-drive-not-told-apart', 'app/layout/circuitpictures.cpp',
           'lit.drive == sim::Drive::Low ? lowColor', 'lit.drive == sim::Drive::Low ? conductingColor',
           'tst_(panels|traces)$'),
    mutant('circuit-freewheel-not-dashed', 'app/layout/circuitpictures.cpp',
           'out.append({id, color, freewheeling});', 'out.append({id, color, false});',
           'tst_traces$'),
    mutant('coil-glow-layer-below-not-shown-again', 'scene/coilglow.cpp',
           'std::erase_if(m_layers, [key](const auto &l) { return l.first == key; });\n    apply();',
           'std::erase_if(m_layers, [key](const auto &l) { return l.first == key; });',
           'tst_traces$'),
    mutant('shaft-picture-snaps-to-the-true-angle', 'scene/shaftpicture.cpp',
           'm_offset = std::fmod(m_ownAngle - trueAngle, 360.0);', 'm_offset = 0.0;',
           'tst_scenerender$'),
    mutant('shaft-picture-restart-draws-no-frame', 'scene/qml/SpinningModelNode.qml',
           'spinning.picture.smear > 0 ? spinning.picture.ownAngleZ : '
           'spinning.object.rotationAngle.z + spinning.picture.offsetZ',
           'spinning.picture.drawsOwnAngle ? spinning.picture.ownAngleZ : '
           'spinning.object.rotationAngle.z', 'tst_scenerender$'),
    mutant('readout-margins-from-the-resting-digit', 'toolkit/diagram.cpp',
           'const qreal room = m_box.width() - 2 * margin;',
           'const qreal room = m_box.width() - 2 * (m_value.left() - m_box.left()) + 0 * margin;',
           'tst_seen$'),
]

# The pace mutants and those the suite was known to let through come first: their verdicts are
# the ones awaited.
FIRST = ('schedule-counts-from-own-start', 'player-schedule-restarted-every-step',
         'track1-keeps-negative-shaft',
         'model-content-not-centred', 'image-picture-not-centred')
MUTANTS.sort(key=lambda m: m['name'] not in FIRST)
