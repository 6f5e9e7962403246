// The linter of the web page's modules, its tests and the scripts that serve
// and drive it.
import js from '@eslint/js';
import globals from 'globals';

export default [
  { ignores: ['build/', 'node_modules/'] },
  js.configs.recommended,
  {
    files: ['web/**/*.js'],
    languageOptions: { globals: globals.browser },
  },
  {
    files: ['eslint.config.js'],
    languageOptions: { globals: globals.node },
  },
  // The tests, the screenshot and the browser bench hand some of their
  // functions to the page to run there.
  {
    files: ['tests/web/**/*.mjs', 'scripts/*.mjs', 'bench/web/*.mjs'],
    languageOptions: { globals: { ...globals.node, ...globals.browser } },
  },
  {
    rules: {
      'no-unused-vars': ['error', { caughtErrors: 'none' }],
      eqeqeq: 'error',
      'prefer-const': 'error',
    },
  },
];
