/* global Module */
// The game's cues, handed to the page's sound (web/sound.js) as they come:
// the page gives each run its zorbanixCue hook.
mergeInto(LibraryManager.library, {
  zorbanix_web_sound_open: function() {
    return typeof Module['zorbanixCue'] === 'function' ? 1 : 0;
  },
  zorbanix_web_sound_cue: function(cue) {
    Module['zorbanixCue'](cue);
  },
});
