// The wallboard: follows /events (the wallboard JSON, at least once a second) and keeps one tile
// per queue and per group, a plot of calls waiting and the server's status up to date. Elements
// are kept by name and updated in place; each carries its raw figure in data-value.
"use strict";

(function () {
  const STALE_AFTER_MS = 3000; // no message for this long: the figures are no longer live
  const REOPEN_AFTER_MS = 2000; // a stream the browser gave up on is opened again after this
  const HISTORY_SECONDS = 600;

  const LINE_COLORS = ["#5cc8ff", "#ff7ab6", "#ffd166", "#2fd184", "#b69cff", "#ff9f43",
                       "#7ee8fa", "#ff5a6a", "#c5e17a", "#f5a3ff"];

  const QUEUE_FIGURES = [
    { metric: "oldest_wait_seconds", label: "Longest wait", format: formatDuration },
    { metric: "service_level_ratio", label: "Service level", format: formatPercent },
    { metric: "shift_answered_contacts", label: "Answered", format: formatCount },
    { metric: "shift_abandoned_contacts", label: "Abandoned", format: formatCount },
  ];

  // Colours of routing states by what their names say; other names take a line colour.
  // The first pattern that matches wins, so "NotReady" is not taken for "Ready".
  const STATE_COLORS = [
    [/not.?ready|do not|dnd|away|break|pause|unavail/i, "#ffbf3c"],
    [/log.?off|logged.?off|offline/i, "#5b6580"],
    [/wrap|post|after/i, "#b69cff"],
    [/talk|busy|active|call|serv/i, "#5cc8ff"],
    [/idle|available|ready|log.?on/i, "#2fd184"],
  ];

  const statusElement = document.getElementById("server-status");
  const clockElement = document.getElementById("clock");
  const queuesElement = document.getElementById("queues");
  const groupsElement = document.getElementById("groups");
  const legendElement = document.getElementById("plot-legend");
  const plot = document.getElementById("waiting-plot");

  const queueTiles = new Map();
  const groupTiles = new Map();
  const countFormat = new Intl.NumberFormat("en-US", { maximumFractionDigits: 0 });

  let updates = 0;
  let latest = null; // the last wallboard received
  let latestAt = 0; // performance.now() when it came

  function isNumber(value) {
    return typeof value === "number" && Number.isFinite(value);
  }

  function formatCount(value) {
    return isNumber(value) ? countFormat.format(value) : "–";
  }

  function formatPercent(ratio) {
    return isNumber(ratio) ? Math.round(ratio * 100) + "%" : "–";
  }

  function formatDuration(seconds) {
    if (!isNumber(seconds)) return "–";
    const total = Math.max(0, Math.round(seconds));
    const hours = Math.floor(total / 3600);
    const minutes = Math.floor((total % 3600) / 60);
    const rest = String(total % 60).padStart(2, "0");
    return hours > 0 ? hours + ":" + String(minutes).padStart(2, "0") + ":" + rest
                     : minutes + ":" + rest;
  }

  function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (text !== undefined) made.textContent = text;
    return made;
  }

  // Sets an element's raw figure and its text.
  function setFigure(figure, value, text) {
    figure.dataset.value = isNumber(value) ? String(value) : "";
    figure.querySelector(".value").textContent = text;
  }

  // A stable colour per name, so that a queue keeps its colour as others come and go.
  function colorOf(name) {
    let hash = 0;
    for (const character of name) hash = (hash * 31 + character.codePointAt(0)) >>> 0;
    return LINE_COLORS[hash % LINE_COLORS.length];
  }

  function stateColor(state) {
    for (const [pattern, color] of STATE_COLORS) if (pattern.test(state)) return color;
    return colorOf(state);
  }

  // Keeps `container`'s children to one per item, in the items' order: made by `make` when new,
  // then brought up to date by `update`; those of names no longer listed are removed.
  function reconcile(container, tiles, items, nameOf, make, update) {
    const seen = new Set();
    for (const item of items) {
      const name = String(nameOf(item));
      seen.add(name);
      let tile = tiles.get(name);
      if (!tile) {
        tile = make(name);
        tiles.set(name, tile);
      }
      update(tile, item);
      container.appendChild(tile); // moves it into place when the order changed
    }
    for (const [name, tile] of tiles) {
      if (!seen.has(name)) {
        tile.remove();
        tiles.delete(name);
      }
    }
  }

  // A key that is only a number reads better with what it numbers.
  function title(kind, name) {
    return /^[0-9]+$/.test(name) ? kind + " " + name : name;
  }

  function makeQueueTile(name) {
    const tile = element("article", "tile queue");
    tile.dataset.queue = name;
    tile.appendChild(element("h3", "tile-name", title("Queue", name)));
    const headline = element("div", "headline");
    headline.dataset.metric = "contacts_waiting";
    headline.append(element("span", "value", "–"), element("span", "label", "calls waiting"));
    tile.appendChild(headline);
    const figures = element("div", "figures");
    for (const figure of QUEUE_FIGURES) {
      const cell = element("div", "figure");
      cell.dataset.metric = figure.metric;
      cell.append(element("span", "value", "–"), element("span", "label", figure.label));
      figures.appendChild(cell);
    }
    tile.appendChild(figures);
    return tile;
  }

  const SEVERITY_RANK = { ok: 0, warn: 1, alert: 2 };

  // How worrying a wait is: a minute is long, two are too long.
  function waitSeverity(seconds) {
    if (!isNumber(seconds)) return "ok";
    return seconds >= 120 ? "alert" : seconds >= 60 ? "warn" : "ok";
  }

  function levelSeverity(ratio) {
    if (!isNumber(ratio)) return "ok";
    return ratio < 0.6 ? "alert" : ratio < 0.8 ? "warn" : "ok";
  }

  function updateQueueTile(tile, queue) {
    const waitLevel = waitSeverity(queue.oldest_wait_seconds);
    const serviceLevel = levelSeverity(queue.service_level_ratio);
    const headline = tile.querySelector('[data-metric="contacts_waiting"]');
    headline.dataset.severity = waitLevel;
    setFigure(headline, queue.contacts_waiting, formatCount(queue.contacts_waiting));
    for (const figure of QUEUE_FIGURES) {
      const cell = tile.querySelector('[data-metric="' + figure.metric + '"]');
      const value = queue[figure.metric];
      setFigure(cell, value, figure.format(value));
      if (figure.metric === "oldest_wait_seconds") cell.dataset.severity = waitLevel;
      if (figure.metric === "service_level_ratio") cell.dataset.severity = serviceLevel;
    }
    tile.dataset.severity =
        SEVERITY_RANK[waitLevel] >= SEVERITY_RANK[serviceLevel] ? waitLevel : serviceLevel;
  }

  function makeGroupTile(name) {
    const tile = element("article", "tile group");
    tile.dataset.group = name;
    tile.appendChild(element("h3", "tile-name", title("Group", name)));
    const total = element("div", "group-total");
    total.append(element("strong", "", "0"), document.createTextNode("agents"));
    tile.append(total, element("div", "state-bar"), element("ul", "states"));
    return tile;
  }

  function updateGroupTile(tile, group) {
    const users = group.users && typeof group.users === "object" ? group.users : {};
    const states = Object.keys(users).map((name) => ({ name, count: users[name] }));
    const total = states.reduce((sum, state) => sum + (isNumber(state.count) ? state.count : 0), 0);
    tile.querySelector(".group-total strong").textContent = formatCount(total);

    const bar = tile.querySelector(".state-bar");
    bar.replaceChildren(...states.filter((state) => state.count > 0).map((state) => {
      const segment = element("span");
      segment.style.flexGrow = String(state.count);
      segment.style.background = stateColor(state.name);
      segment.title = state.name + ": " + state.count;
      return segment;
    }));

    const list = tile.querySelector(".states");
    const rows = tile.stateRows || (tile.stateRows = new Map());
    reconcile(list, rows, states, (state) => state.name, (name) => {
      const row = element("li");
      row.dataset.stateName = name;
      const swatch = element("span", "swatch");
      swatch.style.background = stateColor(name);
      row.append(swatch, element("span", "name", name), element("span", "count value", "–"));
      return row;
    }, (row, state) => setFigure(row, state.count, formatCount(state.count)));
  }

  function updateLegend(queues) {
    legendElement.replaceChildren(...queues.map((queue) => {
      const item = element("li");
      const line = element("span", "line");
      line.style.background = colorOf(String(queue.queue));
      item.append(line, document.createTextNode(title("Queue", String(queue.queue))));
      return item;
    }));
  }

  // Lines of calls waiting per queue: x from 10 minutes ago to now, y from 0 to a whole number
  // a little above the highest value.
  function drawPlot(history) {
    const ratio = window.devicePixelRatio || 1;
    const width = plot.clientWidth;
    const height = plot.clientHeight;
    if (width === 0 || height === 0) return;
    if (plot.width !== Math.round(width * ratio) || plot.height !== Math.round(height * ratio)) {
      plot.width = Math.round(width * ratio);
      plot.height = Math.round(height * ratio);
    }
    const context = plot.getContext("2d");
    context.setTransform(ratio, 0, 0, ratio, 0, 0);
    context.clearRect(0, 0, width, height);

    const series = Object.keys(history || {}).sort().map((name) => ({
      name,
      points: (Array.isArray(history[name]) ? history[name] : []).filter(
        (point) => Array.isArray(point) && isNumber(point[0]) && isNumber(point[1])),
    }));
    let highest = 0;
    for (const line of series) for (const point of line.points) highest = Math.max(highest, point[1]);
    const step = niceStep(highest);
    const top = Math.max(step, Math.ceil((highest * 1.1) / step) * step);

    const left = 44, right = 12, above = 10, below = 26;
    const plotWidth = width - left - right;
    const plotHeight = height - above - below;
    const x = (secondsAgo) => left + ((secondsAgo + HISTORY_SECONDS) / HISTORY_SECONDS) * plotWidth;
    const y = (value) => above + plotHeight - (value / top) * plotHeight;

    context.font = "13px system-ui, sans-serif";
    context.lineWidth = 1;
    context.strokeStyle = "#24304b";
    context.fillStyle = "#8d98b3";
    context.textAlign = "right";
    context.textBaseline = "middle";
    for (let value = 0; value <= top; value += step) {
      context.beginPath();
      context.moveTo(left, Math.round(y(value)) + 0.5);
      context.lineTo(left + plotWidth, Math.round(y(value)) + 0.5);
      context.stroke();
      context.fillText(String(value), left - 8, y(value));
    }
    context.textBaseline = "top";
    for (let minutes = 10; minutes >= 0; minutes -= 2) {
      context.textAlign = minutes === 10 ? "left" : minutes === 0 ? "right" : "center";
      context.fillText(minutes === 0 ? "now" : "−" + minutes + " min", x(-minutes * 60),
                       above + plotHeight + 8);
    }

    context.lineWidth = 2.5;
    context.lineJoin = "round";
    context.save();
    context.beginPath();
    context.rect(left, above - 2, plotWidth, plotHeight + 4);
    context.clip();
    for (const line of series) {
      if (line.points.length === 0) continue;
      context.strokeStyle = colorOf(line.name);
      context.beginPath();
      line.points.forEach((point, index) => {
        // Counts change in steps: hold each value until the next sample.
        if (index === 0) context.moveTo(x(point[0]), y(point[1]));
        else {
          context.lineTo(x(point[0]), y(line.points[index - 1][1]));
          context.lineTo(x(point[0]), y(point[1]));
        }
      });
      context.stroke();
    }
    context.restore();
  }

  function niceStep(highest) {
    for (const step of [1, 2, 5, 10, 20, 50, 100, 200, 500, 1000])
      if (highest / step <= 5) return step;
    return Math.pow(10, Math.ceil(Math.log10(highest / 5)));
  }

  // The status line: up only while the server is and the figures keep coming.
  function renderStatus() {
    const now = performance.now();
    clockElement.textContent = new Date().toLocaleTimeString("en-GB");
    if (!latest) return;
    const sinceMessage = now - latestAt;
    const baseAge = isNumber(latest.figures_age_seconds) ? latest.figures_age_seconds : 0;
    const age = Math.max(0, Math.round(baseAge + sinceMessage / 1000));
    const live = sinceMessage < STALE_AFTER_MS;
    const up = live && latest.server_up === true;
    statusElement.dataset.state = up ? "up" : "down";
    document.body.dataset.live = up ? "yes" : "no";
    if (up) statusElement.textContent = "Server up · figures " + age + " s old";
    else if (live) statusElement.textContent = "Server down · figures " + age + " s old";
    else statusElement.textContent = "Server down (no contact with the exporter) · figures " +
                                     age + " s old";
  }

  function apply(board) {
    latest = board;
    latestAt = performance.now();
    const queues = Array.isArray(board.queues) ? board.queues : [];
    const groups = Array.isArray(board.groups) ? board.groups : [];
    reconcile(queuesElement, queueTiles, queues, (queue) => queue.queue, makeQueueTile,
              updateQueueTile);
    reconcile(groupsElement, groupTiles, groups, (group) => group.group, makeGroupTile,
              updateGroupTile);
    updateLegend(queues);
    drawPlot(board.history);
    renderStatus();
    updates += 1;
    document.body.dataset.updated = String(updates);
  }

  function follow() {
    const source = new EventSource("/events");
    source.onmessage = (message) => {
      let board;
      try {
        board = JSON.parse(message.data);
      } catch (error) {
        return;
      }
      if (board && typeof board === "object") apply(board);
    };
    source.onerror = () => {
      renderStatus();
      // The browser retries a dropped stream by itself, but not one refused (503, say).
      if (source.readyState === EventSource.CLOSED) setTimeout(follow, REOPEN_AFTER_MS);
    };
  }

  window.addEventListener("resize", () => {
    if (latest) drawPlot(latest.history);
  });
  setInterval(renderStatus, 500);
  renderStatus();
  follow();
})();
