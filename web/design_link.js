// A link that reopens a design: the page's address with the fragment "#design=" and the request,
// percent-encoded JSON. Nothing of it is sent anywhere: a fragment stays in the browser.
"use strict";

const tarvelDesignLink = (() => {
  const PREFIX = "#design=";

  return {
    // What a fragment (location.hash) holds: null when it is no design's, {text} with the JSON
    // text of the request, or {problem} when it cannot be decoded.
    read(hash) {
      if (!hash.startsWith(PREFIX)) return null;
      try {
        return { text: decodeURIComponent(hash.slice(PREFIX.length)) };
      } catch (error) {
        return { problem: "无法解码（百分号编码有误）" };
      }
    },

    // The page's address with the request as its fragment.
    of(request) {
      return location.href.split("#")[0] + PREFIX + encodeURIComponent(tarvelRequestText(request));
    },

    // Puts the link in the address bar and on the clipboard; resolves to whether the clipboard
    // took it (a browser may refuse, a page opened from disk for one).
    async copy(link) {
      try {
        history.replaceState(null, "", link);
      } catch (error) {
        // The address bar keeps the page's address, then.
      }
      try {
        await navigator.clipboard.writeText(link);
        return true;
      } catch (error) {
        return false;
      }
    },
  };
})();
