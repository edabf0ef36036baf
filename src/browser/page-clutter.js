// Clears a loaded page for print, in a script world of its own, just before it is rendered.
// Called with {selectors, keepOverlays, only}; answers how many things it took away.
//
// Nothing here clicks or answers anything: a notice is hidden, never accepted, so the site is not
// told that the reader agreed to anything. What is hidden stays in the document, so the page's own
// scripts find what they left there.
(function (options) {
  'use strict';
  var root = document.documentElement;
  var body = document.body;
  if (!root || !body) return 0;
  var viewWidth = window.innerWidth || root.clientWidth;
  var viewHeight = window.innerHeight || root.clientHeight;
  if (!(viewWidth > 0 && viewHeight > 0)) return 0;

  var styles = new Map();
  function style(element) {
    var computed = styles.get(element);
    if (!computed) {
      computed = getComputedStyle(element);
      styles.set(element, computed);
    }
    return computed;
  }
  function force(element, property, value) {
    element.style.setProperty(property, value, 'important');
  }
  // Whether anything of it shows: a notice that a platform keeps in the page, closed, was never
  // on the sheet and is not counted.
  function shown(element) {
    return element.getClientRects().length > 0 && style(element).visibility !== 'hidden' &&
           style(element).display !== 'none';
  }

  var hidden = new Set();
  var leftOff = 0;
  function insideHidden(element) {
    for (var up = element; up; up = up.parentElement)
      if (hidden.has(up)) return true;
    return false;
  }
  function leaveOut(element) {
    if (insideHidden(element)) return;
    if (shown(element)) ++leftOff;
    force(element, 'display', 'none');
    hidden.add(element);
  }

  // The consent platforms' own markup. Only the outermost of nested matches counts: a banner and
  // the box around it are one notice.
  function leaveOutConsentNotices() {
    var matched = new Set();
    options.selectors.forEach(function (selector) {
      try {
        document.querySelectorAll(selector).forEach(function (element) { matched.add(element); });
      } catch (e) {
        // A selector this browser can't read matches nothing here.
      }
    });
    matched.forEach(function (element) {
      for (var up = element.parentElement; up; up = up.parentElement)
        if (matched.has(up)) return;
      leaveOut(element);
    });
  }

  function isDialog(element) {
    var role = element.getAttribute('role');
    return (element.tagName === 'DIALOG' && element.open) || role === 'dialog' || role === 'alertdialog' ||
           element.getAttribute('aria-modal') === 'true';
  }
  function pinned(element) {
    var position = style(element).position;
    return position === 'fixed' || position === 'sticky';
  }

  // What stays put on the screen while the page scrolls under it, found where a reader would see
  // it: at points across the first screen, its edges and corners. Each element counts by its
  // outermost pinned ancestor, the box a site puts a notice or a header in.
  function pinnedOnScreen() {
    var found = [];
    var looked = new Set();
    var xs = [3, 30, 70, viewWidth - 71, viewWidth - 31, viewWidth - 4];
    var ys = [3, 30, 70, viewHeight - 71, viewHeight - 31, viewHeight - 4];
    for (var step = 1; step < 8; ++step) {
      xs.push(viewWidth * step / 8);
      ys.push(viewHeight * step / 8);
    }
    xs.forEach(function (x) {
      ys.forEach(function (y) {
        document.elementsFromPoint(x, y).forEach(function (element) {
          if (looked.has(element)) return;
          looked.add(element);
          var outermost = null;
          for (var up = element; up && up !== body && up !== root; up = up.parentElement)
            if (pinned(up) || isDialog(up)) outermost = up;
          if (outermost && found.indexOf(outermost) < 0 && !hidden.has(outermost)) found.push(outermost);
        });
      });
    });
    return found;
  }

  function box(element) {
    var rect = element.getBoundingClientRect();
    var width = Math.max(0, Math.min(rect.right, viewWidth) - Math.max(rect.left, 0));
    var height = Math.max(0, Math.min(rect.bottom, viewHeight) - Math.max(rect.top, 0));
    return {rect: rect, share: (width * height) / (viewWidth * viewHeight)};
  }

  // The element's own sentences: its text less what links, buttons and form labels say. A site's
  // header names "Privacy" and "Sign up" in its links; a notice says it in words.
  function prose(element) {
    var words = [];
    var walker = document.createTreeWalker(element, NodeFilter.SHOW_TEXT);
    for (var node = walker.nextNode(); node && words.length < 400; node = walker.nextNode()) {
      var parent = node.parentElement;
      if (parent && !parent.closest('a, button, label, select, option, nav, script, style, [role=button]'))
        words.push(node.nodeValue);
    }
    return words.join(' ').replace(/\s+/g, ' ').trim();
  }
  var kConsent = /\b(consent|gdpr|privacy|personal data|your data)\b/i;
  var kCookie = /\bcookies?\b/i;
  // What comes with "cookies" in a notice, in its sentences or on its buttons ("Accept all").
  var kCookieCompany =
      /\b(accept|agree|allow|reject|decline|partners|preferences|settings|policy|tracking|advertising|personali[sz]ed)\b/i;
  var kSigningUp = /\b(subscrib\w*|newsletter|sign(ing)?[- ]?up|mailing list|inbox)\b/i;
  // A notice is a few sentences; a box with more text than this is content, however it is placed.
  var kLongestNotice = 2000;

  function speaksLikeANotice(element) {
    var text = prose(element);
    return text.length >= 20 && text.length <= kLongestNotice &&
           (kConsent.test(text) || kSigningUp.test(text) ||
            (kCookie.test(text) && kCookieCompany.test(element.textContent)));
  }
  function hasControls(element) {
    return !!element.querySelector('button, input, select, [role=button], a[href]');
  }
  // A layer that only dims what is under it: across most of the screen, with nothing to read.
  function isDimmer(element, share) {
    if (share < 0.6 || element.textContent.trim().length > 0) return false;
    var computed = style(element);
    var colour = computed.backgroundColor.match(/rgba?\(([^)]*)\)/);
    var alpha = colour ? colour[1].split(',')[3] : undefined;
    var seeThrough = alpha !== undefined && Number(alpha) > 0 && Number(alpha) < 1;
    return seeThrough || (Number(computed.opacity) > 0 && Number(computed.opacity) < 1) ||
           computed.backdropFilter !== 'none';
  }

  // A notice or pop-up is judged by everything together: it stays put over the page (a paragraph
  // in the page never does), it says what notices say, it asks for an answer, and it sits where a
  // notice sits (across much of the screen, along an edge, as a dialog, over a dimming layer or
  // above everything else). A sticky box is part of the page's flow, a sidebar or a header: never
  // a notice.
  function leaveOutOverlays(pinnedBoxes) {
    var dimmers = [];
    var dimmed = false;
    var noticeFound = false;
    pinnedBoxes.forEach(function (element) {
      var placed = box(element);
      if (placed.share === 0) return;
      if (style(element).position !== 'fixed' && !isDialog(element)) return;
      if (isDimmer(element, placed.share)) {
        dimmers.push(element);
        dimmed = true;
      }
    });
    pinnedBoxes.forEach(function (element) {
      if (dimmers.indexOf(element) >= 0 || (style(element).position === 'sticky' && !isDialog(element))) return;
      var placed = box(element);
      if (placed.share === 0 || !speaksLikeANotice(element) || !hasControls(element)) return;
      var rect = placed.rect;
      var alongEdge = rect.top < 48 || rect.bottom > viewHeight - 48;
      var onTop = Number(style(element).zIndex) >= 100;
      if (placed.share >= 0.25 || alongEdge || isDialog(element) || dimmed || onTop) {
        leaveOut(element);
        noticeFound = true;
      }
    });
    if (noticeFound) dimmers.forEach(leaveOut);
  }

  // A notice that locks the page (no scrolling, the body a screen high) would leave the page cut
  // off at a screen or two on paper.
  function unlockScrolling() {
    [root, body].forEach(function (element) {
      var computed = style(element);
      if (/hidden|clip/.test(computed.overflow + computed.overflowY)) force(element, 'overflow', 'visible');
      if (computed.position === 'fixed') {
        force(element, 'position', 'static');
        force(element, 'top', 'auto');
      }
      if (element.scrollHeight > element.clientHeight + 1 || computed.maxHeight !== 'none') {
        force(element, 'height', 'auto');
        force(element, 'max-height', 'none');
      }
    });
  }

  // What stays pinned would print on every sheet: a header or bar prints once, where it stands on
  // the first screen, and a small button (back to top, chat) is left off.
  function pinOnce(pinnedBoxes) {
    pinnedBoxes.forEach(function (element) {
      var placed = box(element);
      if (placed.share === 0) return;
      var position = style(element).position;
      if (position === 'fixed' && placed.share < 0.03 && placed.rect.width < viewWidth / 4 &&
          placed.rect.height < viewHeight / 4) {
        leaveOut(element);
      } else if (position === 'fixed') {
        force(element, 'position', 'absolute');
      } else if (position === 'sticky') {
        force(element, 'position', 'static');
      }
    });
  }

  // Only the matched elements: everything beside them and beside their ancestors is hidden, so
  // they keep the page's own styles and lay out alone.
  function keepOnly(selector) {
    var matched;
    try {
      matched = Array.prototype.slice.call(document.querySelectorAll(selector));
    } catch (e) {
      return;
    }
    var kept = matched.filter(function (element) {
      return !matched.some(function (other) { return other !== element && other.contains(element); });
    });
    var chain = new Set();
    kept.forEach(function (element) {
      for (var up = element; up; up = up.parentElement) chain.add(up);
    });
    chain.forEach(function (element) {
      if (kept.indexOf(element) >= 0) return;
      for (var child = element.firstElementChild; child; child = child.nextElementSibling)
        if (!chain.has(child) && !/^(HEAD|SCRIPT|STYLE|LINK|META|TITLE|TEMPLATE)$/.test(child.tagName))
          force(child, 'display', 'none');
    });
  }

  if (!options.keepOverlays) {
    leaveOutConsentNotices();
    // Looking across the screen is most of this script's work: it is done again only where taking a
    // notice away (and unlocking the scrolling it locked) may have uncovered what was under it.
    var pinnedBoxes = pinnedOnScreen();
    var hiddenBefore = hidden.size;
    leaveOutOverlays(pinnedBoxes);
    if (leftOff > 0) unlockScrolling();
    pinOnce(hidden.size > hiddenBefore || leftOff > 0 ? pinnedOnScreen() : pinnedBoxes);
  }
  if (options.only) keepOnly(options.only);
  return leftOff;
})
