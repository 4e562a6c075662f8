/* Tavel Builder menu runtime: buildMenu('theMenu') draws the menu of temp.js as a bar with drop-downs
 * and fly-outs for mouse, touch and keyboard, behind a "Menu" button on narrow screens. The program
 * rewrites lines 12 to 26 (style), 47 and 48 (gaps), both in comments read as text, and 211. */
// [name, value] per "=" line of f's comment: the value less a final ";", blanks, quotes, and the "\" the program puts into "*/".
function tavelValues(f) {
  return String(f).split(/\r\n?|\n/).slice(1).filter((l) => l.includes("=")).map((l) => {
    const i = l.indexOf("="), v = l.slice(i + 1).replace(/;\s*$/, "").trim();
    return [l.slice(0, i), (/^(["'])[^]*\1$/.test(v) ? v.slice(1, -1) : v).replace(/\*\\(\\*)\//g, "*$1/")];
  });
}
function tavelStyle() {/* Style slots, read by position: the lines that hold "=".
var titleWidth = 14;
var titleHeight = 32;
var charWidth = 8;
var charHeight = 26;
var titleNormal = "#1f3a93";
var titleHighlighted = "#2c4fbf";
var itemNormal = "#253f8f";
var itemHighlighted = "#b8321a";
var upperLine = "#5c7ad6";
var lowerLine = "#10245e";
var borderSize = 1;
var marginSize = 10;
var marginString = "";
In order: title padding, title height, width per caption character, item
height (pixels); bar, hovered title, item, hovered item colours; bevel line
colours; border width, item margin (pixels); text that leads every caption.
*/}
// Numbers within bounds (units dropped) and colours the browser knows; an empty or odd value takes
// the default. Targets are at least 24 pixels high.
var tavelV = ((s) => {
  const n = (k, d, lo, hi) => { const x = parseFloat(s[k] && s[k][1]); return isFinite(x) ? Math.min(Math.max(x, lo), hi) : d; };
  const c = (k, d) => { const x = (s[k] ? s[k][1] : "").trim().replace(/^([\da-f]{3}){1,2}$/i, "#$&"); return CSS.supports("color", x) ? x : d; };
  return {tw: n(0, 14, 0, 99), th: Math.max(n(1, 32, 0, 200), 24), cw: n(2, 8, 0, 50), ch: Math.max(n(3, 26, 0, 200), 24),
    tn: c(4, "#1f3a93"), tl: c(5, "#2c4fbf"), i: c(6, "#253f8f"), il: c(7, "#b8321a"), u: c(8, "#5c7ad6"), l: c(9, "#10245e"),
    b: n(10, 1, 0, 20), m: n(11, 10, 0, 60), ms: s[12] ? s[12][1] : ""};
})(tavelValues(tavelStyle));
var gaps1 = "", gaps2 = "", tavelCount = 0, tavelRecoded, tavelScratch = document.createElement("span");
for (const [name, value] of tavelValues(tavelGaps)) if (/gaps[12]\s*$/.test(name)) window["gaps" + name.trim().slice(-1)] = value;
// Until the menu is drawn the holder keeps the bar's height, as do the plain links on a page without
// holder. The menu's rules come first, so that the page's own have the last word.
var tavelBar = tavelV.th + 2 * tavelV.b + "px", tavelReserve = "#menuHolder:empty{min-height:" + tavelBar + "}.tvm-skip:not(:focus){position:absolute;clip-path:inset(50%)}";
var tavelSheet = document.createElement("style");
tavelSheet.textContent = tavelReserve + `.tvm-links{height:${tavelBar};overflow:hidden;visibility:hidden}:has(#menuHolder)>.tvm-links{display:none}`;
document.head.prepend(tavelSheet);
function tavelGaps() {/* The gaps around every caption, written by the page design dialog:
var gaps1 = "";
var gaps2 = "";
*/}
var tavelText = (s) => s == null ? "" : String(s);
var tavelAttr = (s) => s.replace(/&/g, "&amp;").replace(/"/g, "&quot;").replace(/</g, "&lt;");
// Captions are the author's HTML, parsed alone so that a tag left open stays in its own item.
function tavelCaption(html) {
  if (!html.includes("<")) return html;
  tavelScratch.innerHTML = html;
  return tavelScratch.innerHTML;
}
function tavelPlain(html) {
  if (/[<&]/.test(html)) tavelScratch.innerHTML = html, html = tavelScratch.textContent;
  return html.replace(/\s+/g, " ").trim();
}

// Reads the arrays into a tree: bar titles ("caption", "link or array"), items ("kind", "caption",
// "hint", "link or array"). A missing field is empty; a missing or empty submenu is plain text.
function tavelModel(name, level) {
  const list = typeof name == "string" && name && window[name];
  return (Array.isArray(list) ? list : []).filter(Array.isArray).map((e) => {
    const f = (level ? [e[1], e[2], e[3]] : [e[0], "", e[1]]).map(tavelText);
    const sep = level == 1 ? tavelText(e[0]) == "S" : level == 2 && f[0] == "----------";
    const kids = sep || level == 2 ? [] : tavelModel(f[2], level + 1), link = !kids.length && /^myMenu\d+(_\d+)?$/.test(f[2]) ? null : f[2];
    return {sep, caption: f[0], hint: f[1], kids, link, here: kids.length ? kids.some((k) => k.here) : !sep && tavelHere(link)};
  });
}

function tavelCss(id) {
  const V = tavelV, v = {N: "#" + id, nb: -V.b, m2: V.m / 2, m4: V.m * 4, m8: V.m * 8,
    bevel: `border:${V.b}px solid;border-color:${V.u} ${V.l} ${V.l} ${V.u}`};
  return ("$N{position:relative;z-index:1000;line-height:normal}$N ul{list-style:none;margin:0;padding:0}$N li{position:relative}" +
    "$N a{display:block;white-space:nowrap;cursor:pointer;box-sizing:border-box;min-width:24px}" +
    "$N a:focus-visible{outline:2px solid currentColor;outline-offset:-3px}" +
    "$N>.tvm-bar{display:flex;flex-wrap:wrap;background:$tn;$bevel}" +
    "$N>.tvm-bar>li>a{padding:0 $twpx;line-height:$thpx;background-color:$tn}" +
    "$N>.tvm-bar>li>a:hover,$N>.tvm-bar>li.tvm-open>a{background-color:$tl}" +
    "$N li>ul{display:none;position:absolute;top:100%;inset-inline-start:0;background:$i;$bevel;box-shadow:0 3px 8px #0005}" +
    "$N ul.tvm-scroll{overflow-y:auto}$N li li>ul{top:$nbpx;inset-inline-start:100%}" +
    "$N li.tvm-open{z-index:1}$N li.tvm-open>ul{display:block}$N li li>a{padding:$m2px $mpx;line-height:$chpx;background-color:$i}" +
    "$N li li>a:hover,$N li li>a:focus,$N li li.tvm-open>a{background-color:$il}" +
    "$N .tvm-sub>a{padding-inline-end:calc($mpx + 1.2em)}$N>ul>.tvm-top>a{padding-inline-end:calc($twpx + 1em)}" +
    "$N .tvm-arr{position:absolute;top:calc($m2px + $chpx/2 - .5em);inset-inline-end:$m2px;width:1em;line-height:1em;text-align:center}$N .tvm-top>a>.tvm-arr{top:calc($thpx/2 - .5em);transform:rotate(90deg)}" +
    "$N [aria-current=page],$N .tvm-here>a{box-shadow:inset 0 -3px currentColor}" +
    "$N .tvm-arr:after{content:'\\25B8'}$N:dir(rtl) .tvm-arr:after{content:'\\25C2'}" +
    "$N .tvm-sep{margin:3px $mpx;border-top:1px solid $l;border-bottom:1px solid $u}" +
    "$N>.tvm-burger{display:none;font:inherit;line-height:$thpx;padding:0 12px;color:#fff;background:$tn;$bevel}" +
    "@media (prefers-reduced-motion:no-preference){$N li.tvm-open>ul{animation:tvm-in .12s ease-out}@keyframes tvm-in{from{opacity:0}}}" +
    "@media (max-width:599px){$N>.tvm-burger{display:block}$N>.tvm-bar{display:none;flex-direction:column}" +
    "$N.tvm-shown>.tvm-bar{display:flex}$N li>ul{position:static;box-shadow:none;border-width:0;max-height:none;min-width:0!important}" +
    "$N li li>a{padding-inline-start:$m4px}$N li li li>a{padding-inline-start:$m8px}$N a{white-space:normal}" +
    "$N .tvm-top>a>.tvm-arr{transform:none}$N .tvm-open>a>.tvm-arr{transform:rotate(90deg)}}"
  ).replace(/\$(\w+?)(px|\b)/g, (_, k, px) => (k in v ? v[k] : V[k]) + px);
}

// The button image the style sheet gives to tables goes behind every link.
function tavelButtonImage(id) {
  const probe = document.body.appendChild(document.createElement("table"));
  probe.hidden = true;
  const image = getComputedStyle(probe).backgroundImage;
  probe.remove();
  return image && image != "none" ? `\n#${id} a{background-image:${image};background-size:100% 100%}` : "";
}

// The margin text and the gaps (line 211) are decoration, out of the items' names and type-ahead.
function tavelDeco() {
  let d;
  try { d = String(tavelDecorate("\x01")).split("\x01"); } catch (e) {}
  d = d && d.length == 2 ? d : ["", ""];
  d[0] = tavelV.ms + d[0];
  return {len: tavelPlain(d.join("")).length, html: d.map((h) => h && `<span aria-hidden="true">${tavelCaption(h)}</span>`)};
}

// A list is written as one piece of HTML. Submenus stay empty until first opened, or until the
// page is idle: a large menu costs its page little more than its bar.
function tavelItems(items, id, level, lists, deco) {
  let widest = 0;
  const html = items.map((item, i) => {
    if (item.sep) return '<li class="tvm-sep" aria-hidden="true"></li>';
    const caption = tavelCaption(item.caption), text = tavelPlain(caption), hint = tavelPlain(item.hint);
    const link = item.link, sub = item.kids.length && id + "-" + i, wrap = level && text.length + deco.len > 60;
    widest = Math.max(widest, wrap ? 60 : text.length + deco.len);
    // A caption without text is named by its hint or link.
    const name = text || /\balt\s*=\s*["']?[^\s"'>]/i.test(caption) || link == null ? "" : hint || !sub && link || "Item " + (i + 1);
    const a = `<a class="${level ? "menu" : "menuTitle"}"` + (wrap ? ' style="white-space:normal"' : "") + (hint ? ` title="${tavelAttr(hint)}"` : "") +
      (name ? ` aria-label="${tavelAttr(name)}"` : ""), body = deco.html[0] + caption + deco.html[1] + "</a>";
    if (!sub) return "<li>" + a + (link == null ? "" : ` href="${tavelAttr(link || "#")}"`) + (item.here ? ' aria-current="page">' : ">") + body + "</li>";
    lists[sub] = {items: item.kids, level: level + 1};
    return `<li class="${level ? "tvm-sub" : "tvm-top"}${item.here ? " tvm-here" : ""}">${a} role="button" tabindex="0" aria-expanded="false" aria-controls="${sub}">` +
      '<span class="tvm-arr" aria-hidden="true"></span>' + body + `<ul id="${sub}"></ul></li>`;
  }).join("");
  return {html, width: widest * tavelV.cw + 2 * tavelV.m};
}

function tavelFill(nav, ul) {
  const list = ul && nav.tvmLists[ul.id];
  if (!list) return;
  delete nav.tvmLists[ul.id];
  const made = tavelItems(list.items, ul.id, list.level, nav.tvmLists, nav.tvmDeco);
  ul.innerHTML = made.html;
  ul.style.minWidth = made.width + "px";
}

// Draws the menu of the array `name` into #menuHolder, or in place of the plain links, or atop the
// page; an empty menu leaves the links. The page's own call keeps an early menu.
// A Windows-1252 temp.js read as UTF-8 has U+FFFD in it:
// it is read again in that code page.
function buildMenu(name) {
  const holder = document.getElementById("menuHolder") || document.body, old = holder.querySelector("nav.tvm");
  if (old && old.tvmEarly == name) return old.tvmEarly = "", old;
  const id = "tvm" + ++tavelCount, nav = document.createElement("nav"), model = tavelModel(name, 0), plain = document.querySelector(".tvm-links");
  if (!tavelRecoded && (tavelRecoded = document.querySelector('script[src$="temp.js" i]')) && JSON.stringify(model).includes("\ufffd")) {
    const again = () => tavelEarly(name);
    return document.head.append(Object.assign(document.createElement("script"), {charset: "windows-1252", src: tavelRecoded.src + "?1252", onload: again, onerror: again}));
  }
  if (old) old.tvmStop.abort(), old.remove();
  tavelSheet.textContent = tavelReserve + tavelCss(id) + tavelButtonImage(id);
  Object.assign(nav, {id, className: "tvm", hidden: !model.length, tvmStop: new AbortController(), tvmLists: {}, tvmDeco: tavelDeco()});
  nav.setAttribute("aria-label", "Site menu");
  if (model.length) {
    nav.innerHTML = `<button type="button" class="tvm-burger" aria-expanded="false" aria-controls="${id}-m">Menu</button>` +
      `<ul id="${id}-m" class="tvm-bar">${tavelItems(model, id + "-m", 0, nav.tvmLists, nav.tvmDeco).html}</ul>`;
  }
  if (holder != document.body) holder.append(nav); else if (plain) plain.before(nav); else holder.prepend(nav);
  if (model.length) tavelBehave(nav, nav.firstChild), document.querySelectorAll(".tvm-links").forEach((l) => l.remove());
  const idle = window.requestIdleCallback || ((f) => setTimeout(f, 1));
  idle(function more() {
    Object.keys(nav.tvmLists).slice(0, 20).forEach((sub) => tavelFill(nav, document.getElementById(sub)));
    if (Object.keys(nav.tvmLists).length && nav.isConnected) idle(more);
  });
  return nav;
}
function tavelEarly(name) {
  const nav = buildMenu(name);
  if (nav) nav.tvmEarly = name;
}
// An opened list goes below its title or beside its row, to the far side when the near one lacks
// room, within the window; taller than it, it scrolls.
// A scrolling list's fly-outs are placed by the window.
function tavelPlace(li, ul, r, narrow) {
  const s = ul.style, fly = !li.parentNode.classList.contains("tvm-bar");
  ul.classList.remove("tvm-scroll");
  s.maxHeight = s.position = s.left = s.top = s.right = "";
  if (narrow || !li.classList.contains("tvm-open")) return;
  if (li.parentNode.classList.contains("tvm-scroll")) s.position = "fixed";
  Object.assign(s, {left: 0, top: 0, right: "auto"});
  const o = ul.getBoundingClientRect(), it = li.getBoundingClientRect(), w = o.width, h = o.height;
  const W = document.documentElement.clientWidth || innerWidth, H = innerHeight;
  const near = fly ? (r ? it.left - w : it.right) : r ? it.right - w : it.left;
  const far = fly ? (r ? it.right : it.left - w) : r ? it.left : it.right - w;
  const fits = (x) => x >= 0 && x + w <= W, spare = (x, end) => end ? W - x - w : x;
  const x = fits(near) || !fits(far) && spare(near, !r) >= spare(far, r) ? near : far;
  let y = fly ? it.top - tavelV.b : it.bottom;
  if (fly && y + h > H) y = Math.max(0, H - h);
  if (y + h > H) {
    ul.classList.add("tvm-scroll");
    s.maxHeight = Math.max(H - y - 2 * tavelV.b - (fly ? 0 : 8), 3 * tavelV.ch) + "px";
  }
  s.left = Math.max(0, Math.min(x, W - w)) - o.left + "px";
  s.top = y - o.top + "px";
}


// Line 211, the caption decoration: the page design dialog puts the first line of gaps.ini here.
function tavelDecorate(caption) { return gaps1 + caption + gaps2; }
// A link to the page shown (resolved, the fragment aside).
function tavelHere(link) {
  try { return /^[^#]/.test(link) && new URL(link, location).href.split("#")[0] == location.href.split("#")[0]; } catch (e) {}
}

// Disclosure navigation: click, tap, Enter, Space or hover open; arrows, Home, End, letters move.
function tavelBehave(nav, burger) {
  let timer, row, aimed, last;
  const narrow = matchMedia("(max-width:599px)"), signal = nav.tvmStop.signal;
  const rtl = () => getComputedStyle(nav).direction == "rtl";
  const toggle = (li) => li.querySelector(":scope>a[aria-controls]");
  const list = (li) => li.querySelector(":scope>ul");
  const isOpen = (li) => li.classList.contains("tvm-open");
  const inBar = (ul) => ul.classList.contains("tvm-bar");
  const later = (f, ms) => { clearTimeout(timer); timer = f && setTimeout(f, ms); };
  const on = (target, type, f, o) => target.addEventListener(type, f, o || {signal});
  const each = (s, f) => nav.querySelectorAll(s).forEach(f);

  // Closing a list that holds the focus puts the focus on its toggle.
  function close(li, keep) {
    if (!li || !isOpen(li)) return;
    li.querySelectorAll("li.tvm-open").forEach((x) => close(x, 1));
    if (!keep && list(li).contains(document.activeElement)) toggle(li).focus({preventScroll: true});
    li.classList.remove("tvm-open");
    li.removeAttribute("data-how");
    toggle(li).setAttribute("aria-expanded", "false");
  }
  const closeAll = () => each(":scope>ul>li.tvm-open", (li) => close(li));
  function open(li, how) {
    for (const x of li.parentNode.children) if (x != li) close(x);
    if (!isOpen(li)) {
      tavelFill(nav, list(li));
      li.classList.add("tvm-open");
      toggle(li).setAttribute("aria-expanded", "true");
      place(li);
    }
    if (how != "hover" || !li.dataset.how) li.dataset.how = how;
  }
  const place = (li) => tavelPlace(li, list(li), rtl(), narrow.matches);
  const items = (ul) => [...ul.querySelectorAll(":scope>li>a[href],:scope>li>a[tabindex]")];
  const move = (all, i) => all.length && all[(i + all.length) % all.length].focus();
  // An item's text without its decoration, for type-ahead.
  const said = (a) => (a.getAttribute("aria-label") || [...a.childNodes].map((n) => n.ariaHidden ? "" : n.textContent).join(""))
    .replace(/\s+/g, " ").trim().toLowerCase();

  on(nav, "click", (e) => {
    const a = e.target.closest("a[aria-controls]"), li = a && a.parentNode;
    if (!li || !nav.contains(a)) return;
    e.preventDefault();
    if (isOpen(li) && li.dataset.how != "hover") close(li); else open(li, "click");
  });
  on(burger, "click", () => {
    const shown = nav.classList.toggle("tvm-shown");
    burger.setAttribute("aria-expanded", shown);
    if (!shown) closeAll();
  });

  // The row under the pointer opens after a pause; an open list the pointer heads for stays a while.
  function turn(li) {
    if (list(li)) return open(li, "hover");
    for (const x of li.parentNode.children) if (x.dataset.how == "hover") close(x);
  }
  on(nav, "pointermove", (e) => {
    if (e.pointerType != "mouse" || narrow.matches) return;
    const p = [e.clientX, e.clientY], q = last || p, li = e.target.closest("li"), was = row, wasAimed = aimed;
    last = p;
    row = li;
    aimed = false;
    if (!li || isOpen(li)) return later();
    const sib = li.parentNode.querySelector(":scope>li.tvm-open");
    aimed = !!sib && heads(list(sib).getBoundingClientRect(), q, p);
    if (aimed || li != was || wasAimed) later(() => turn(li), aimed ? 400 : 90);
  });
  // Whether the pointer, moving from q to p, heads into the box r (a little taller).
  function heads(r, q, p) {
    let lo = 0, hi = Infinity;
    return (p[0] != q[0] || p[1] != q[1]) && [[0, r.left, r.right], [1, r.top - 8, r.bottom + 8]].every(([k, a, b]) => {
      const d = p[k] - q[k], t1 = (a - p[k]) / d, t2 = (b - p[k]) / d;
      if (!d) return p[k] >= a && p[k] <= b;
      lo = Math.max(lo, Math.min(t1, t2));
      hi = Math.min(hi, Math.max(t1, t2));
      return lo <= hi;
    });
  }
  // Hover-opened lists close when the pointer leaves, unless they hold the focus.
  on(nav, "pointerleave", (e) => {
    if (e.pointerType != "mouse" || narrow.matches) return;
    row = last = null;
    later(() => each("li.tvm-open[data-how=hover]", (li) => li.contains(document.activeElement) || close(li)), 300);
  });

  on(document, "click", (e) => nav.contains(e.target) || closeAll());
  // A list closes when the focus leaves it. Focus that a narrowing window hides goes to "Menu".
  on(nav, "focusout", (e) => {
    const to = e.relatedTarget;
    if (to) each("li.tvm-open", (li) => li.contains(e.target) && !li.contains(to) && close(li, 1));
    else if (narrow.matches && !e.target.getClientRects().length) burger.focus();
  });
  // A fly-out follows its row on scroll, and closes when the row is hidden.
  on(document, "scroll", () => each("li li.tvm-open", (li) => {
    const r = li.getBoundingClientRect(), c = li.parentNode.getBoundingClientRect(), y = (r.top + r.bottom) / 2;
    if (y < Math.max(c.top, 0) || y > Math.min(c.bottom, innerHeight)) close(li);
    else if (list(li).style.position == "fixed") place(li);
  }), {capture: true, passive: true, signal});
  on(window, "resize", () => each("li.tvm-open", place));
  // Escape closes the focus's list, or the "Menu" panel; with no focus, the last list opened.
  on(document, "keydown", (e) => {
    const f = document.activeElement, mine = nav.contains(f), all = nav.querySelectorAll("li.tvm-open");
    const li = mine ? f.closest("li.tvm-open") : all[all.length - 1];
    if (e.key != "Escape" || !mine && f && f != document.body) return;
    if (li) close(li), toggle(li).focus();
    else if (mine && nav.classList.contains("tvm-shown")) burger.click(), burger.focus();
    else return;
    e.preventDefault();
  });
  on(nav, "keydown", (e) => {
    const a = e.target.closest("a"), li = a && a.parentNode;
    if (!li || !nav.contains(a)) return;
    const ul = li.parentNode, up = ul.parentNode, all = items(ul), i = all.indexOf(a), top = inBar(ul), sub = list(li);
    const second = !top && inBar(up.parentNode), fwd = rtl() ? "ArrowLeft" : "ArrowRight", back = rtl() ? "ArrowRight" : "ArrowLeft";
    const k = e.key;
    if ((k == "Enter" || k == " ") && sub) isOpen(li) ? close(li) : open(li, "key");
    else if (k == "ArrowDown" && top && sub) open(li, "key"), move(items(sub), 0);
    else if (k == "ArrowDown" && !top) move(all, i + 1);
    else if (k == "ArrowUp" && !top) i == 0 && second ? toggle(up).focus() : move(all, i - 1);
    else if (k == "Home") move(all, 0);
    else if (k == "End") move(all, -1);
    else if (k == fwd && top) move(all, i + 1);
    else if (k == back && top) move(all, i - 1);
    else if (k == fwd && sub) open(li, "key"), move(items(sub), 0);
    else if (k == back && !top && !second) close(up), toggle(up).focus();
    else if (k.length == 1 && /\S/.test(k) && !e.ctrlKey && !e.metaKey && !e.altKey) {
      const c = k.toLowerCase(), next = all.slice(i + 1).concat(all.slice(0, i + 1)).find((b) => said(b).startsWith(c));
      if (next) next.focus();
    } else return;
    e.preventDefault();
  });
}

// Draws the menu as soon as its holder and data are there.
(() => {
  let done;
  const watch = new MutationObserver(early);
  function early() {
    const m = document.body && /buildMenu\(\s*['"]([\w$]+)['"]\s*\)/.exec(document.body.getAttribute("onload"));
    if (done || !m || !Array.isArray(window[m[1]]) || !document.getElementById("menuHolder") && document.readyState == "loading") return;
    done = 1;
    watch.disconnect();
    tavelEarly(m[1]);
  }
  watch.observe(document, {childList: true, subtree: true});
  document.addEventListener("DOMContentLoaded", early);
})();
