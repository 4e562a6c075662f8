/* Tavel Builder menu runtime, plain JavaScript.
 *
 * buildMenu('theMenu') draws the menu declared by temp.js: the array
 * theMenu and the submenu arrays its entries name, as a bar with
 * drop-downs and fly-outs for mouse, touch and keyboard, behind a "Menu"
 * button on narrow screens.
 *
 * Tavel Builder rewrites lines of this file by number: 12 to 26 (the style
 * values, one per line with an equals sign), 47 and 48 (the gaps) and 211
 * (the caption decoration).
 */
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
// In order: title padding, title height, width per caption character and
// item height (pixels); bar, hovered title, item and hovered item colours;
// the two bevel line colours; border width and item margin (pixels); the
// text that leads every caption.

var tavelCount = 0;

function tavelArray(name) {
  var a = typeof name == "string" && name ? window[name] : null;
  return Array.isArray(a) ? a : null;
}

function tavelText(s) { return s == null ? "" : String(s); }

function tavelPlain(html) {
  if (!/[<&]/.test(html)) return html.replace(/\s+/g, " ").trim();
  tavelScratch = tavelScratch || document.createElement("span");
  tavelScratch.innerHTML = html;
  return tavelScratch.textContent.replace(/\s+/g, " ").trim();
}

// The texts around every caption, written by the page design dialog.
var gaps1 = "";
var gaps2 = "";


// Reads the arrays into a tree: bar titles ("caption", "link or array"),
// their items and fly-outs ("kind", "caption", "hint", "link or array").
function tavelModel(name, level) {
  level = level || 0;
  return (tavelArray(name) || []).filter(Array.isArray).map(function (e) {
    var f = (level ? e.slice(1, 4) : [e[0], "", e[1]]).map(tavelText);
    var sep = level == 1 ? tavelText(e[0]) == "S" : level == 2 && f[0] == "----------";
    return {sep: sep, caption: f[0], hint: f[1], link: f[2], kids: sep || level == 2 ? [] : tavelModel(f[2], level + 1)};
  });
}

function tavelCss(id) {
  var px = function (v) { return (parseFloat(v) || 0) + "px"; }, m = parseFloat(marginSize) || 0;
  var v = {N: "#" + id, tw: px(titleWidth), th: px(titleHeight), ch: px(charHeight), b: px(borderSize), nb: px(-borderSize),
    m: px(m), m2: px(m / 2), m4: px(m * 4), m8: px(m * 8), tn: titleNormal, tl: titleHighlighted, i: itemNormal,
    il: itemHighlighted, u: upperLine, l: lowerLine};
  v.bevel = "border:" + v.b + " solid;border-color:" + [upperLine, lowerLine, lowerLine, upperLine].join(" ");
  return ("$N{position:relative;z-index:1000;line-height:normal}$N ul{list-style:none;margin:0;padding:0}" +
    "$N a{display:block;white-space:nowrap;cursor:pointer;box-sizing:border-box}" +
    "$N a:focus-visible{outline:2px solid currentColor;outline-offset:-3px}" +
    "$N>.tvm-bar{display:flex;flex-wrap:wrap;background:$tn;$bevel}$N>.tvm-bar>li{position:relative}" +
    "$N>.tvm-bar>li>a{padding:0 $tw;line-height:$th;background-color:$tn}" +
    "$N>.tvm-bar>li>a:hover,$N>.tvm-bar>li.tvm-open>a{background-color:$tl}" +
    "$N li>ul{display:none;position:absolute;top:100%;inset-inline-start:0;background:$i;$bevel;box-shadow:0 3px 8px #0005}" +
    "$N ul.tvm-scroll{overflow-y:auto}$N li li>ul{top:$nb;inset-inline-start:100%}" +
    "$N li>ul.tvm-flip{inset-inline-start:auto;inset-inline-end:0}$N li li>ul.tvm-flip{inset-inline-end:100%}" +
    "$N li.tvm-open>ul{display:block}$N li li>a{padding:$m2 $m;line-height:$ch;background-color:$i}" +
    "$N li li>a:hover,$N li li>a:focus,$N li li.tvm-open>a{background-color:$il}" +
    "$N .tvm-sub>a:after{content:'\25B8';float:right;margin-inline-start:1em}" +
    "$N:dir(rtl) .tvm-sub>a:after{content:'\25C2';float:left}" +
    "$N .tvm-sep{margin:3px $m;border-top:1px solid $l;border-bottom:1px solid $u}" +
    "$N>.tvm-burger{display:none;font:inherit;padding:6px 12px;color:#fff;background:$tn;$bevel}" +
    "@media (prefers-reduced-motion:no-preference){$N li.tvm-open>ul{animation:tvm-in .12s ease-out}" +
    "@keyframes tvm-in{from{opacity:0;transform:translateY(-3px)}}}" +
    "@media (max-width:599px){$N>.tvm-burger{display:block}$N>.tvm-bar{display:none;flex-direction:column}" +
    "$N.tvm-shown>.tvm-bar{display:flex}$N li>ul{position:static;box-shadow:none;border-width:0;max-height:none}" +
    "$N li li>a{padding-inline-start:$m4}$N li li li>a{padding-inline-start:$m8}$N a{white-space:normal}}"
  ).replace(/\$(\w+)/g, function (_, k) { return v[k]; });
}

// The button image the style sheet gives to tables goes behind every link.
function tavelButtonImage(id) {
  var probe = document.createElement("table");
  probe.style.display = "none";
  document.body.appendChild(probe);
  var image = getComputedStyle(probe).backgroundImage;
  probe.parentNode.removeChild(probe);
  if (!image || image == "none") return "";
  return "\n#" + id + " a{background-image:" + image + ";background-size:100% 100%}";
}

function tavelAttr(s) {
  return s.replace(/&/g, "&amp;").replace(/"/g, "&quot;").replace(/</g, "&lt;");
}

// Captions are the author's HTML, parsed alone first so that a tag left
// open stays in its own item.
var tavelScratch = null;
function tavelCaption(html) {
  if (html.indexOf("<") < 0) return html;
  tavelScratch = tavelScratch || document.createElement("span");
  tavelScratch.innerHTML = html;
  return tavelScratch.innerHTML;
}

// A list is written as one piece of HTML and parsed at once. Submenus stay
// empty until first opened, or until the page is idle: a large menu then
// costs its page little more than its bar.
function tavelItems(items, id, level, lists) {
  var out = [], widest = 0, cls = level ? "menu" : "menuTitle";
  items.forEach(function (item, i) {
    if (item.sep) return out.push('<li class="tvm-sep" aria-hidden="true"></li>');
    var caption = tavelCaption(marginString + tavelDecorate(item.caption));
    widest = Math.max(widest, tavelPlain(caption).length);
    var a = '<a class="' + cls + '"' + (item.hint ? ' title="' + tavelAttr(tavelPlain(item.hint)) + '"' : "");
    if (!item.kids.length) return out.push("<li>" + a + ' href="' + tavelAttr(item.link || "#") + '">' + caption + "</a></li>");
    var sub = id + "-" + i;
    lists[sub] = {items: item.kids, level: level + 1};
    out.push('<li class="' + (level ? "tvm-sub" : "tvm-top") + '">' + a + ' role="button" tabindex="0" aria-expanded="false"' +
      ' aria-controls="' + sub + '">' + caption + '</a><ul id="' + sub + '"></ul></li>');
  });
  return {html: out.join(""), width: widest * (parseFloat(charWidth) || 0) + 2 * (parseFloat(marginSize) || 0)};
}

function tavelFill(nav, ul) {
  var list = ul && nav.tvmLists[ul.id];
  if (!list) return;
  delete nav.tvmLists[ul.id];
  var made = tavelItems(list.items, ul.id, list.level, nav.tvmLists);
  ul.innerHTML = made.html;
  ul.style.minWidth = made.width + "px";
}

// Draws the menu of the array named `name` into #menuHolder, or at the top
// of the page. Drawing again replaces the menu drawn before.
function buildMenu(name) {
  var holder = document.getElementById("menuHolder") || document.body;
  var old = holder.querySelector("nav.tvm");
  if (old) {
    old.tvmStop.abort();
    old.tvmStyle.parentNode.removeChild(old.tvmStyle);
    old.parentNode.removeChild(old);
  }
  var id = "tvm" + ++tavelCount;
  var nav = document.createElement("nav");
  nav.className = "tvm";
  nav.id = id;
  nav.setAttribute("aria-label", "Site menu");
  var style = document.createElement("style");
  style.textContent = tavelCss(id) + tavelButtonImage(id);
  // First in the head, so the page's own style sheet has the last word.
  var head = document.head || document.documentElement;
  head.insertBefore(style, head.firstChild);
  nav.tvmStyle = style;
  nav.tvmStop = new AbortController();
  var burger = document.createElement("button");
  burger.type = "button";
  burger.className = "tvm-burger";
  burger.textContent = "Menu";
  burger.setAttribute("aria-expanded", "false");
  burger.setAttribute("aria-controls", id + "-m");
  nav.appendChild(burger);
  nav.tvmLists = {};
  nav.insertAdjacentHTML("beforeend", '<ul id="' + id + '-m" class="tvm-bar">' +
    tavelItems(tavelModel(name), id + "-m", 0, nav.tvmLists).html + "</ul>");
  holder.insertBefore(nav, holder == document.body ? holder.firstChild : null);
  tavelBehave(nav, burger);
  var idle = window.requestIdleCallback || function (f) { return setTimeout(f, 1); };
  idle(function more() {
    Object.keys(nav.tvmLists).slice(0, 20).forEach(function (sub) { tavelFill(nav, document.getElementById(sub)); });
    if (Object.keys(nav.tvmLists).length && nav.isConnected) idle(more);
  });
  return nav;
}
























// Line 211 is the caption decoration; the page design dialog may put the
// first line of system/gaps.ini in its place.
function tavelDecorate(caption) { return gaps1 + caption + gaps2; }

// The disclosure pattern for navigation: submenus open on click, tap, Enter
// or Space, and on hover after a short delay; arrows, Home, End and a first
// letter move within open lists.
function tavelBehave(nav, burger) {
  var timer = 0, last = null, compact = window.matchMedia ? matchMedia("(max-width:599px)") : {matches: false};
  var rtl = function () { return getComputedStyle(nav).direction == "rtl"; };
  var toggleOf = function (li) { return li && li.querySelector(":scope>a[aria-controls]"); };
  var isOpen = function (li) { return li.classList.contains("tvm-open"); };
  var later = function (f, ms) { clearTimeout(timer); timer = setTimeout(f, ms); };

  function close(li) {
    if (!li || !isOpen(li)) return;
    li.querySelectorAll("li.tvm-open").forEach(function (x) { close(x); });
    li.classList.remove("tvm-open");
    li.removeAttribute("data-how");
    toggleOf(li).setAttribute("aria-expanded", "false");
  }
  function closeAll() { nav.querySelectorAll(":scope>ul>li.tvm-open").forEach(close); }
  function open(li, how) {
    Array.prototype.forEach.call(li.parentNode.children, function (x) { if (x != li) close(x); });
    if (!isOpen(li)) {
      tavelFill(nav, li.querySelector(":scope>ul"));
      li.classList.add("tvm-open");
      li.setAttribute("data-how", how);
      toggleOf(li).setAttribute("aria-expanded", "true");
      fit(li.querySelector(":scope>ul"));
    } else if (how != "hover") li.setAttribute("data-how", how);
  }
  // Keeps an opened list in the window: flipped to the other side, and
  // scrolling when taller than the room below it.
  function fit(ul) {
    ul.classList.remove("tvm-flip", "tvm-scroll");
    ul.style.maxHeight = ul.style.position = ul.style.top = ul.style.left = "";
    if (compact.matches) return;
    var r = ul.getBoundingClientRect(), outer = ul.parentNode.parentNode;
    if (rtl() ? r.left < 0 : r.right > innerWidth) ul.classList.add("tvm-flip");
    if (r.bottom > innerHeight) {
      ul.classList.add("tvm-scroll");
      ul.style.maxHeight = Math.max(innerHeight - r.top - 8, 3 * (parseFloat(charHeight) || 15)) + "px";
    }
    // A scrolling list clips what hangs out: its fly-outs go by the window.
    if (outer.classList.contains("tvm-scroll")) {
      r = ul.getBoundingClientRect();
      ul.style.position = "fixed";
      ul.style.top = Math.min(ul.parentNode.getBoundingClientRect().top, Math.max(0, innerHeight - r.height)) + "px";
      ul.style.left = r.left + "px";
    }
  }
  function items(ul) { return [].slice.call(ul.querySelectorAll(":scope>li>a")); }
  function move(list, i) { var to = list[(i + list.length) % list.length]; if (to) to.focus(); }

  nav.addEventListener("click", function (e) {
    var a = e.target.closest("a[aria-controls]");
    if (!a || !nav.contains(a)) return;
    e.preventDefault();
    var li = a.parentNode;
    if (isOpen(li) && li.getAttribute("data-how") != "hover") close(li); else open(li, "click");
  });
  burger.addEventListener("click", function () {
    var shown = nav.classList.toggle("tvm-shown");
    burger.setAttribute("aria-expanded", String(shown));
    if (!shown) closeAll();
  });
  nav.addEventListener("pointermove", function (e) { last = [e.clientX, e.clientY]; });
  nav.addEventListener("pointerover", function (e) {
    if (e.pointerType != "mouse" || compact.matches) return;
    var li = e.target.closest("li");
    if (!li || !nav.contains(li)) return;
    var ul = li.parentNode, openSib = ul.querySelector(":scope>li.tvm-open");
    var wait = openSib && openSib != li && aiming(openSib.querySelector(":scope>ul"), [e.clientX, e.clientY]) ? 350 : 90;
    later(function () {
      if (li.querySelector(":scope>ul")) open(li, "hover");
      else if (openSib && openSib != li && openSib.getAttribute("data-how") == "hover") close(openSib);
    }, wait);
  });
  nav.addEventListener("pointerleave", function (e) {
    if (e.pointerType != "mouse" || compact.matches) return;
    later(function () { nav.querySelectorAll("li.tvm-open[data-how=hover]").forEach(close); }, 300);
  });
  // Whether the pointer, moving from where it last was to p, heads into the
  // triangle between p and the near edge of the open fly-out.
  function aiming(ul, p) {
    if (!ul || !last) return false;
    var r = ul.getBoundingClientRect(), q = last;
    var edge = rtl() ? r.right : r.left, dx = edge - p[0], mx = p[0] - q[0];
    if (dx * mx <= 0) return false;
    var slope = (p[1] - q[1]) / mx;
    var top = (r.top - p[1]) / dx, bottom = (r.bottom - p[1]) / dx;
    return slope >= Math.min(top, bottom) && slope <= Math.max(top, bottom);
  }

  // Listeners outside the menu end when it is drawn again.
  var outside = {signal: nav.tvmStop.signal};
  document.addEventListener("click", function (e) { if (!nav.contains(e.target)) closeAll(); }, outside);
  nav.addEventListener("focusout", function (e) { if (e.relatedTarget && !nav.contains(e.relatedTarget)) closeAll(); });
  document.addEventListener("keydown", function (e) {
    if (e.key != "Escape") return;
    var opened = nav.querySelectorAll("li.tvm-open");
    if (!opened.length) return;
    var li = opened[opened.length - 1];
    close(li);
    toggleOf(li).focus();
    e.preventDefault();
  }, outside);
  nav.addEventListener("keydown", function (e) {
    var a = e.target.closest("a");
    if (!a || !nav.contains(a)) return;
    var li = a.parentNode, ul = li.parentNode, list = items(ul), i = list.indexOf(a);
    var top = ul.classList.contains("tvm-bar"), sub = li.querySelector(":scope>ul");
    var fwd = rtl() ? "ArrowLeft" : "ArrowRight", back = rtl() ? "ArrowRight" : "ArrowLeft";
    var k = e.key, done = true;
    if ((k == "Enter" || k == " ") && sub) { if (isOpen(li)) close(li); else open(li, "key"); }
    else if (k == "ArrowDown" && top && sub) { open(li, "key"); move(items(sub), 0); }
    else if (k == "ArrowDown" && !top) move(list, i + 1);
    else if (k == "ArrowUp" && !top) { if (i == 0 && ul.parentNode.parentNode.classList.contains("tvm-bar")) toggleOf(ul.parentNode).focus(); else move(list, i - 1); }
    else if (k == "Home") move(list, 0);
    else if (k == "End") move(list, list.length - 1);
    else if (k == fwd && top) move(list, i + 1);
    else if (k == back && top) move(list, i - 1);
    else if (k == fwd && sub) { open(li, "key"); move(items(sub), 0); }
    else if (k == back && !top && !ul.parentNode.parentNode.classList.contains("tvm-bar")) { close(ul.parentNode); toggleOf(ul.parentNode).focus(); }
    else if (k.length == 1 && /\S/.test(k) && !e.ctrlKey && !e.metaKey && !e.altKey) {
      var c = k.toLowerCase(), n = list.length;
      for (var j = 1; j <= n; j++) {
        var b = list[(i + j) % n];
        if (b.textContent.replace(/\s+/g, " ").trim().toLowerCase().indexOf(c) == 0) { b.focus(); break; }
      }
    } else done = false;
    if (done) e.preventDefault();
  });
}
